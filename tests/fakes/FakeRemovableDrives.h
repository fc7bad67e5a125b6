#pragma once

#include "platform/drives/RemovableDrives.h"

namespace ostra {

// Drives for tests: letters mapped to ordinary folders. Plugging and
// unplugging take effect at the next rescan(), as with real card readers
// whose changes the browser only sees when it scans again. Any letter may
// be plugged, "A" and "B" included, so that tests can check they are never
// offered.
class FakeRemovableDrives : public RemovableDrives {
public:
    void plugIn(char letter, std::filesystem::path folder, std::string volumeName = {});
    void unplug(char letter);

    void rescan() override;
    const std::vector<DriveInfo>& drives() const override;

    int RescanCount = 0;

private:
    std::vector<DriveInfo> plugged_;
    std::vector<DriveInfo> drives_;
};

} // namespace ostra
