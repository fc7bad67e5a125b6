#include "platform/drives/DriveFixtures.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace ostra::test {

void writeFile(const std::filesystem::path& file, const std::string& content)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

void SysfsTree::addDisk(const std::string& devicePath, const std::string& numbers, const std::string& removable,
                        const std::string& mmcType)
{
    const std::filesystem::path disk = root_ / "devices" / devicePath;
    writeFile(disk / "removable", removable + "\n");
    if (!mmcType.empty()) {
        writeFile(disk / "device" / "type", mmcType + "\n");
    }
    linkNumbers(numbers, devicePath);
}

void SysfsTree::addPartition(const std::string& diskPath, const std::string& name, const std::string& numbers)
{
    const std::string partitionPath = diskPath + "/" + name;
    writeFile(root_ / "devices" / partitionPath / "partition", "1\n");
    linkNumbers(numbers, partitionPath);
}

void SysfsTree::linkNumbers(const std::string& numbers, const std::string& devicePath)
{
    const std::filesystem::path links = root_ / "dev" / "block";
    std::filesystem::create_directories(links);
    std::filesystem::create_directory_symlink("../../devices/" + devicePath, links / numbers);
}

std::string mountInfoText(const std::vector<MountRow>& rows)
{
    // The system's own mounts come first, as in a real table.
    std::string text = "22 1 0:21 / /proc rw,relatime - proc proc rw\n"
                       "27 1 254:0 / / rw,relatime shared:1 - ext4 /dev/vda rw\n";
    int id = 100;
    for (const MountRow& row : rows) {
        text += std::to_string(id++) + " 27 " + row.Numbers + " " + row.Root + " " + row.EscapedMountPoint +
                " rw,nosuid,nodev,relatime shared:7 - " + row.FileSystemType + " /dev/fixture rw,fmask=0022\n";
    }
    return text;
}

} // namespace ostra::test
