#pragma once

#include "platform/drives/RemovableDrives.h"

namespace ostra {

// The removable drives of this machine: mounted file systems whose block
// device is removable (see IsRemovableDisk), given the letters "C" to "Z"
// in the byte order of their mount paths; a twenty-fifth drive and beyond
// get no letter. The three sources are parameters so that tests can point
// them at fixture trees.
class LinuxRemovableDrives : public RemovableDrives {
public:
    struct Sources {
        std::filesystem::path MountInfo = "/proc/self/mountinfo";
        std::filesystem::path SysfsRoot = "/sys";
        std::filesystem::path LabelFolder = "/dev/disk/by-label";
    };

    // Scans once at once, so that a new object answers straight away.
    LinuxRemovableDrives();
    explicit LinuxRemovableDrives(Sources sources);

    void rescan() override;
    const std::vector<DriveInfo>& drives() const override;

private:
    Sources sources_;
    std::vector<DriveInfo> drives_;
};

} // namespace ostra
