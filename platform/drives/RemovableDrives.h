#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostra {

// Drive types numbered as the platform's drive-type query numbers them.
// The card file browser only asks whether a drive is Removable (2); a
// letter that names no drive is NoRootDir, a text that names no letter at
// all is Unknown.
enum class DriveType : int {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// One removable drive as the browser offers it: the bare letter for the
// drive list, and the mount path and volume name for its tooltip, so that
// a user with two card readers can tell them apart.
struct DriveInfo {
    char Letter = 0;
    std::filesystem::path MountPath;
    std::string VolumeName;
};

// The removable drives, each under a drive letter. The browser takes one
// in its constructor: production passes LinuxRemovableDrives, tests pass
// FakeRemovableDrives.
//
// Answers come from the last rescan(), so the letters stay put while the
// browser loops over them; the browser rescans each time it is shown.
// Nothing here throws: an unreadable mount table means no drives. What the
// drives hold is found by CardScan.
class RemovableDrives {
public:
    virtual ~RemovableDrives();

    virtual void rescan() = 0;

    // The drives in letter order.
    virtual const std::vector<DriveInfo>& drives() const = 0;

    // The drive-type query of a root path: "E", "E:", "E:\" or "E:/", in
    // either case.
    DriveType driveTypeOf(std::string_view rootPath) const;

    std::optional<DriveInfo> findDrive(char letter) const;

    // The drive's root folder, or an empty path when the letter names no
    // drive. A file's path is this folder joined with its name.
    std::filesystem::path rootFolder(char letter) const;

protected:
    RemovableDrives();
};

// The upper-case letter a root path names, if it names one.
std::optional<char> DriveLetterOf(std::string_view rootPath);

} // namespace ostra
