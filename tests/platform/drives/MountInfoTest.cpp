#include "platform/drives/MountInfo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

namespace ostra {
namespace {

TEST(MountInfo, UndoesTheKernelEscapes)
{
    struct Row {
        const char* escaped;
        std::string plain;
    };
    const Row rows[] = {
        {"/media/MY\\040CARD", "/media/MY CARD"},
        {"/a\\011b\\012c", "/a\tb\nc"},
        {"/back\\134slash", "/back\\slash"},
        {"/twice\\134040", "/twice\\040"},     // an escaped backslash does not start a new escape
        {"/short\\04", "/short\\04"},          // too few digits: kept as it stands
        {"/wide\\400", "/wide\\400"},          // beyond one byte: kept
        {"/not\\08x", "/not\\08x"},            // 8 is no octal digit
        {"/end\\", "/end\\"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(UnescapeMountField(row.escaped), row.plain) << row.escaped;
    }
}

TEST(MountInfo, ReadsTheFieldsAroundAnyNumberOfOptionalFields)
{
    const std::vector<MountEntry> entries = ParseMountInfo(
        "36 35 98:0 /mnt1 /mnt/parent rw,noatime master:1 - ext3 /dev/root rw,errors=continue\n"
        "37 35 8:17 / /media/user/CARD\\0401 rw - vfat /dev/sdb1 rw\n"
        "38 35 179:1 / /media/sd rw shared:5 master:2 propagate_from:1 - exfat /dev/mmcblk0p1 rw\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].Major, 98u);
    EXPECT_EQ(entries[0].Minor, 0u);
    EXPECT_EQ(entries[0].Root, "/mnt1");
    EXPECT_EQ(entries[0].MountPoint, "/mnt/parent");
    EXPECT_EQ(entries[0].FileSystemType, "ext3");
    EXPECT_EQ(entries[0].Source, "/dev/root");
    EXPECT_EQ(entries[1].MountPoint, "/media/user/CARD 1");
    EXPECT_EQ(entries[1].Source, "/dev/sdb1");
    EXPECT_EQ(entries[2].Major, 179u);
    EXPECT_EQ(entries[2].Minor, 1u);
    EXPECT_EQ(entries[2].FileSystemType, "exfat");
}

TEST(MountInfo, SkipsMalformedLines)
{
    const std::vector<MountEntry> entries = ParseMountInfo(
        "\n"
        "garbage\n"
        "40 1 8:1 / /no/separator rw vfat /dev/sda1 rw\n"
        "41 1 8:x / /bad/numbers rw - vfat /dev/sda1 rw\n"
        "42 1 81 / /no/colon rw - vfat /dev/sda1 rw\n"
        "43 1 8:1 / /cut/short rw - vfat\n"
        "44 1 8:2 / /good rw - vfat /dev/sda2 rw");  // no final line end
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].MountPoint, "/good");
}

bool isFileSystemTypeWord(const std::string& type)
{
    return !type.empty() && std::all_of(type.begin(), type.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
    });
}

// /proc files report a size of 0; a reader that trusts the size reads nothing.
// Which mounts exist depends on where the tests run (a chroot or a container
// may not list "/" at all), so only the proc file system the table was read
// through is certain to be among them.
TEST(MountInfo, ReadsTheLiveProcTableToTheEnd)
{
    const std::vector<MountEntry> entries = ReadMountInfo("/proc/self/mountinfo");
    ASSERT_FALSE(entries.empty());
    for (const MountEntry& e : entries) {
        EXPECT_TRUE(e.MountPoint.starts_with('/')) << e.MountPoint;
        EXPECT_TRUE(e.Root.starts_with('/')) << e.Root << " at " << e.MountPoint;
        EXPECT_TRUE(isFileSystemTypeWord(e.FileSystemType)) << e.FileSystemType << " at " << e.MountPoint;
    }
    const bool hasProc = std::any_of(entries.begin(), entries.end(), [](const MountEntry& e) {
        return e.MountPoint == "/proc" && e.FileSystemType == "proc";
    });
    EXPECT_TRUE(hasProc) << "read " << entries.size() << " entries";
    EXPECT_TRUE(ReadMountInfo("/nonexistent/mountinfo").empty());
}

} // namespace
} // namespace ostra
