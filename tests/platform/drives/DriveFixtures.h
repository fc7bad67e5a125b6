#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/drives/CardFolderNames.h"
#include "support/TempFolder.h"

namespace ostra::test {

void writeFile(const std::filesystem::path& file, const std::string& content);

// A sysfs tree in miniature: folders under devices/, the attribute files
// the drives layer reads, and the dev/block/MAJ:MIN links to them.
class SysfsTree {
public:
    explicit SysfsTree(std::filesystem::path root) : root_(std::move(root)) {}

    // A whole disk at devices/<devicePath>, whose last component is its
    // kernel name. mmcType, when given, is written to device/type.
    void addDisk(const std::string& devicePath, const std::string& numbers, const std::string& removable,
                 const std::string& mmcType = {});
    void addPartition(const std::string& diskPath, const std::string& name, const std::string& numbers);

    const std::filesystem::path& root() const { return root_; }

private:
    void linkNumbers(const std::string& numbers, const std::string& devicePath);

    std::filesystem::path root_;
};

// One mountinfo line; the mount point is written as the kernel would
// escape it (the caller passes it escaped).
struct MountRow {
    std::string Numbers;
    std::string EscapedMountPoint;
    std::string Root = "/";
    std::string FileSystemType = "vfat";
};

std::string mountInfoText(const std::vector<MountRow>& rows);

} // namespace ostra::test
