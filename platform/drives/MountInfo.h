#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ostra {

// One line of /proc/<pid>/mountinfo (proc(5)), the fields the drives layer
// uses, with the octal escapes of the path fields undone.
//
//   36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw
//   |  |  |    |     |           |          |        | |    |         |
//   id |  |    root  mount point options    optional | type source   super options
//      parent  major:minor                  fields   separator
struct MountEntry {
    unsigned Major = 0;
    unsigned Minor = 0;
    std::string Root;
    std::string MountPoint;
    std::string FileSystemType;
    std::string Source;
};

// Undoes the kernel's escapes of space (\040), tab (\011), newline (\012)
// and backslash (\134); any "\" followed by three octal digits is read as
// the byte they give, anything else is kept as it stands.
std::string UnescapeMountField(std::string_view field);

// Parses the whole table; malformed lines are skipped.
std::vector<MountEntry> ParseMountInfo(std::string_view text);

// Reads and parses a mountinfo file; an unreadable file gives no entries.
std::vector<MountEntry> ReadMountInfo(const std::filesystem::path& file);

} // namespace ostra
