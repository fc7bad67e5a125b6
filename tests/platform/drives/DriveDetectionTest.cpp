#include "platform/drives/LinuxRemovableDrives.h"

#include "platform/drives/DriveFixtures.h"
#include "platform/drives/VolumeName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace ostra {
namespace {

using test::MountRow;
using test::SysfsTree;
using test::TempFolder;

// Where real kernels put these disks in sysfs.
const std::string kUsbStick =
    "pci0000:00/0000:00:14.0/usb2/2-1/2-1:1.0/host6/target6:0:0/6:0:0:0/block/sdb";
const std::string kCardReader = "pci0000:00/0000:00:17.0/ata3/host2/target2:0:0/2:0:0:0/block/sdc";
const std::string kSataDisk = "pci0000:00/0000:00:17.0/ata1/host0/target0:0:0/0:0:0:0/block/sda";
const std::string kSdSlot = "platform/soc/fe340000.mmc/mmc_host/mmc1/mmc1:aaaa/block/mmcblk1";
const std::string kEmmc = "platform/soc/fe330000.mmc/mmc_host/mmc0/mmc0:0001/block/mmcblk0";
const std::string kNvme = "pci0000:00/0000:00:1d.0/0000:3d:00.0/nvme/nvme0/nvme0n1";
const std::string kLoop = "virtual/block/loop0";

class DriveDetection : public ::testing::Test {
protected:
    DriveDetection() : sysfs(temp.path() / "sys") {}

    LinuxRemovableDrives scan(const std::vector<MountRow>& rows)
    {
        test::writeFile(temp.path() / "mountinfo", test::mountInfoText(rows));
        return LinuxRemovableDrives({temp.path() / "mountinfo", sysfs.root(), temp.path() / "by-label"});
    }

    TempFolder temp;
    SysfsTree sysfs;
};

// One disk with one mount each; whether the mount becomes drive C.
struct DiskCase {
    const char* name;
    std::string devicePath;
    const char* removableFlag;
    const char* mmcType;
    bool partitioned;
    bool removable;
};

const DiskCase kDiskCases[] = {
    {"UsbStickPartition", kUsbStick, "0", "", true, true},
    {"UsbStickWithoutPartitionTable", kUsbStick, "0", "", false, true},
    {"CardReaderWithRemovableFlag", kCardReader, "1", "", true, true},
    {"SdCardInBuiltInSlot", kSdSlot, "0", "SD", true, true},
    {"SolderedEmmc", kEmmc, "0", "MMC", true, false},
    {"FixedSataDisk", kSataDisk, "0", "", true, false},
    {"NvmeDisk", kNvme, "0", "", true, false},
    {"LoopDevice", kLoop, "0", "", false, false},
};

void PrintTo(const DiskCase& disk, std::ostream* out)
{
    *out << disk.name;
}

class DiskRules : public DriveDetection, public ::testing::WithParamInterface<DiskCase> {};

TEST_P(DiskRules, DecideWhetherTheMountIsADrive)
{
    const DiskCase& disk = GetParam();
    sysfs.addDisk(disk.devicePath, "8:16", disk.removableFlag, disk.mmcType);
    std::string numbers = "8:16";
    if (disk.partitioned) {
        const std::string diskName = std::filesystem::path(disk.devicePath).filename().string();
        sysfs.addPartition(disk.devicePath, diskName + "p1", "8:17");
        numbers = "8:17";
    }
    const LinuxRemovableDrives drives = scan({{numbers, "/media/card"}});
    EXPECT_EQ(drives.driveTypeOf("C:\\"), disk.removable ? DriveType::Removable : DriveType::NoRootDir);
    if (disk.removable) {
        EXPECT_EQ(drives.rootFolder('C'), "/media/card");
    }
}

INSTANTIATE_TEST_SUITE_P(Disks, DiskRules, ::testing::ValuesIn(kDiskCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A fixed disk must not pass for a USB one because sysfs sits in a folder
// that happens to be called like a USB root hub.
TEST_F(DriveDetection, JudgesOnlyThePathBelowTheSysfsRoot)
{
    SysfsTree nested(temp.path() / "usb1" / "sys");
    nested.addDisk(kSataDisk, "8:0", "0");
    test::writeFile(temp.path() / "mountinfo", test::mountInfoText({{"8:0", "/media/disk"}}));
    const LinuxRemovableDrives drives({temp.path() / "mountinfo", nested.root(), temp.path() / "by-label"});
    EXPECT_TRUE(drives.drives().empty());
}

TEST_F(DriveDetection, IgnoresMountsWithoutABlockDevice)
{
    sysfs.addDisk(kUsbStick, "8:16", "0");
    const LinuxRemovableDrives drives = scan({{"0:40", "/media/fuse", "/", "fuse.fusefat"}});
    EXPECT_TRUE(drives.drives().empty());
}

TEST_F(DriveDetection, KeepsAnEscapedMountPathWhole)
{
    sysfs.addDisk(kUsbStick, "8:16", "0");
    sysfs.addPartition(kUsbStick, "sdb1", "8:17");
    const LinuxRemovableDrives drives = scan({{"8:17", "/media/user/MY\\040CARD\\134x"}});
    ASSERT_EQ(drives.drives().size(), 1u);
    EXPECT_EQ(drives.drives()[0].MountPath, "/media/user/MY CARD\\x");
    EXPECT_EQ(drives.drives()[0].VolumeName, "MY CARD\\x");
}

TEST_F(DriveDetection, TakesTheVolumeNameFromTheLabelLink)
{
    sysfs.addDisk(kUsbStick, "8:16", "0");
    sysfs.addPartition(kUsbStick, "sdb1", "8:17");
    std::filesystem::create_directories(temp.path() / "by-label");
    std::filesystem::create_symlink("../../sda1", temp.path() / "by-label" / "SYSTEM");
    std::filesystem::create_symlink("../../sdb1", temp.path() / "by-label" / "OSTRA\\x20CARD");
    const LinuxRemovableDrives drives = scan({{"8:17", "/media/1234-ABCD"}});
    ASSERT_EQ(drives.drives().size(), 1u);
    EXPECT_EQ(drives.drives()[0].VolumeName, "OSTRA CARD");
}

// 26 card readers, listed in shuffled order: the first 24 mount paths in
// byte order get C to Z, the rest nothing.
TEST_F(DriveDetection, LettersFollowTheMountPathsUpToTwentyFour)
{
    std::vector<MountRow> rows;
    for (int i = 0; i < 26; ++i) {
        const std::string number = std::to_string(i);
        const std::string name = "sdx" + number;
        sysfs.addDisk("pci0000:00/usb3/3-" + number + "/block/" + name, "8:" + std::to_string(16 * (i + 1)), "0");
        rows.push_back({"8:" + std::to_string(16 * (i + 1)), "/media/card" + std::string(i < 10 ? "0" : "") + number});
    }
    std::shuffle(rows.begin(), rows.end(), std::mt19937(7));
    const LinuxRemovableDrives drives = scan(rows);

    ASSERT_EQ(drives.drives().size(), 24u);
    for (int i = 0; i < 24; ++i) {
        const char letter = static_cast<char>('C' + i);
        const std::string expected = "/media/card" + std::string(i < 10 ? "0" : "") + std::to_string(i);
        EXPECT_EQ(drives.drives()[i].Letter, letter);
        EXPECT_EQ(drives.rootFolder(letter), expected) << letter;
    }
    EXPECT_EQ(drives.driveTypeOf("Z:\\"), DriveType::Removable);
}

TEST_F(DriveDetection, SkipsHiddenRepeatedAndSubFolderMounts)
{
    sysfs.addDisk(kUsbStick, "8:16", "0");
    sysfs.addDisk(kSataDisk, "8:0", "0");
    sysfs.addDisk(kCardReader, "8:32", "1");
    sysfs.addDisk(kSdSlot, "179:0", "0", "SD");
    const LinuxRemovableDrives drives = scan({
        {"8:16", "/media/stick"},
        {"8:16", "/media/again"},         // the same stick twice: its first path in order wins
        {"8:32", "/media/reader"},
        {"8:0", "/media/reader"},          // a fixed disk mounted over the reader hides it
        {"179:0", "/srv/photos", "/DCIM"}, // a sub-folder of a card is not a drive's root
    });
    ASSERT_EQ(drives.drives().size(), 1u);
    EXPECT_EQ(drives.rootFolder('C'), "/media/again");
}

TEST_F(DriveDetection, RescanSeesCardsComeAndGo)
{
    sysfs.addDisk(kUsbStick, "8:16", "0");
    LinuxRemovableDrives drives = scan({});
    EXPECT_EQ(drives.driveTypeOf("C"), DriveType::NoRootDir);

    test::writeFile(temp.path() / "mountinfo", test::mountInfoText({{"8:16", "/media/stick"}}));
    EXPECT_EQ(drives.driveTypeOf("C"), DriveType::NoRootDir) << "answers come from the last scan";
    drives.rescan();
    EXPECT_EQ(drives.driveTypeOf("C"), DriveType::Removable);

    std::filesystem::remove(temp.path() / "mountinfo");
    drives.rescan();
    EXPECT_TRUE(drives.drives().empty()) << "an unreadable table means no drives";
}

TEST(DriveType, ReadsTheLetterOfARootPath)
{
    struct Row {
        const char* rootPath;
        std::optional<char> letter;
    };
    const Row rows[] = {
        {"E", 'E'}, {"E:", 'E'}, {"E:\\", 'E'}, {"e:/", 'E'}, {"Z:\\", 'Z'}, {"A:\\", 'A'},
        {"", std::nullopt}, {"EE", std::nullopt}, {"E:\\x", std::nullopt}, {"1:\\", std::nullopt},
        {"/media", std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DriveLetterOf(row.rootPath), row.letter) << '"' << row.rootPath << '"';
    }
}

TEST(VolumeName, DecodesUdevLabelEscapes)
{
    EXPECT_EQ(DecodeLabelLinkName("MY\\x20CARD"), "MY CARD");
    EXPECT_EQ(DecodeLabelLinkName("A\\x2fB\\x5cC"), "A/B\\C");
    EXPECT_EQ(DecodeLabelLinkName("ODD\\x2"), "ODD\\x2");
    EXPECT_EQ(DecodeLabelLinkName("\\xZZ"), "\\xZZ");
}

} // namespace
} // namespace ostra
