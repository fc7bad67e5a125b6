#include "platform/drives/CardScan.h"

#include "fakes/FakeRemovableDrives.h"
#include "platform/InOutError.h"
#include "platform/drives/CountingCardFiles.h"
#include "platform/drives/DriveFixtures.h"

#include <gtest/gtest.h>

namespace ostra {
namespace {

using Names = std::vector<std::string>;

const std::string kRecord(2048, 'r');

// The editor's search: configuration files on drives C to Z, a record of each.
constexpr CardFileSearch kCards = {'C', 'Z', "*.cfg", 2048};

class CardScanTest : public ::testing::Test {
protected:
    void plugCard(char letter, const Names& names)
    {
        const std::filesystem::path folder = temp.path() / std::string(1, letter);
        std::filesystem::create_directories(folder);
        for (const std::string& name : names)
            test::writeFile(folder / name, kRecord);
        drives.plugIn(letter, folder);
    }

    // Each drive found, as its letter and its first file's name.
    Names found()
    {
        Names drivesFound;
        while (const std::optional<CardDrive> drive = scan.nextDrive())
            drivesFound.push_back(std::string(1, drive->Drive.Letter) + ":" + drive->First.Name);
        return drivesFound;
    }

    test::TempFolder temp;
    FakeRemovableDrives drives;
    test::CountingCardFiles files;
    CardScan scan{drives, files, FileAccess::ReadWrite, kCards};
};

TEST_F(CardScanTest, FindsTheDrivesCToZThatHoldAConfigurationFileReadingOneFileEach)
{
    plugCard('A', {"x.cfg"});
    plugCard('B', {"x.cfg"});
    plugCard('Z', {"z.cfg"});
    plugCard('E', {"notes.txt"});
    plugCard('D', {});
    plugCard('G', {"b.cfg", "a.cfg", "c.cfg"});
    scan.rescan();
    EXPECT_EQ(found(), (Names{"G:a.cfg", "Z:z.cfg"}));
    EXPECT_EQ(files.Opens, (std::map<std::string, int>{{"a.cfg", 1}, {"z.cfg", 1}}));
    EXPECT_EQ(files.OpenDescriptors, 0);

    CardFolderListing listing = scan.listDrive('G');
    Names listed;
    while (const std::optional<CardFile> file = listing.next())
        listed.push_back(file->Name);
    EXPECT_EQ(listed, (Names{"a.cfg", "b.cfg", "c.cfg"}));
    EXPECT_FALSE(scan.listDrive('Q').next().has_value()) << "no drive Q";

    // Drives change only at a rescan, which starts again at C.
    drives.unplug('G');
    EXPECT_TRUE(found().empty());
    scan.rescan();
    EXPECT_EQ(found(), Names{"Z:z.cfg"});
    EXPECT_EQ(drives.RescanCount, 2);
}

// Another search, as the scan is given it: drives D to F, text files,
// four bytes of each; C and G are outside the range.
TEST_F(CardScanTest, ScansTheDrivesAndFilesItIsGivenReadingTheHeadItIsGiven)
{
    plugCard('C', {"c.txt"});
    plugCard('D', {"d.cfg"});
    plugCard('F', {"notes.txt", "x.cfg"});
    plugCard('G', {"g.txt"});
    CardScan texts(drives, files, FileAccess::ReadOnly, {'D', 'F', "*.txt", 4});
    texts.rescan();
    std::optional<CardDrive> drive = texts.nextDrive();
    ASSERT_TRUE(drive.has_value());
    EXPECT_EQ(drive->Drive.Letter + std::string(":") + drive->First.Name, "F:notes.txt");
    EXPECT_EQ(drive->First.Head, std::vector<std::uint8_t>(4, 'r'));
    EXPECT_FALSE(drive->Listing.next().has_value());
    EXPECT_FALSE(texts.nextDrive().has_value());
}

TEST_F(CardScanTest, OpensFilesAsItsAccessSays)
{
    plugCard('E', {"LOCKED.CFG"});
    files.ReadOnly = {"LOCKED.CFG"};
    struct Row {
        FileAccess access;
        const char* failure;
    };
    for (const Row& row : {Row{FileAccess::ReadWrite, "File access denied"}, Row{FileAccess::ReadWriteOrReadOnly, ""},
                           Row{FileAccess::ReadOnly, ""}}) {
        CardScan reader(drives, files, row.access, kCards);
        reader.rescan();
        const std::optional<CardDrive> drive = reader.nextDrive();
        ASSERT_TRUE(drive.has_value());
        std::string failure;
        try {
            if (drive->First.Failure)
                std::rethrow_exception(drive->First.Failure);
            EXPECT_EQ(drive->First.Head[0], 'r');
        } catch (const EInOutError& error) {
            failure = error.Message;
        }
        EXPECT_EQ(failure, row.failure);
    }
}

// Drives whose list empties after a number of lookups, as if the card in
// C (the first letter probed) were taken out while the scan asks about it.
class VanishingDrives : public FakeRemovableDrives {
public:
    explicit VanishingDrives(int lookups) : lookups_(lookups) {}
    const std::vector<DriveInfo>& drives() const override
    {
        static const std::vector<DriveInfo> none;
        return lookups_-- > 0 ? FakeRemovableDrives::drives() : none;
    }
    mutable int lookups_;
};

TEST_F(CardScanTest, ADriveGoneDuringTheScanIsPassedOver)
{
    plugCard('C', {"a.cfg"});
    for (int lookups = 0; lookups <= 3; ++lookups) {
        VanishingDrives vanishing(lookups);
        vanishing.plugIn('C', temp.path() / "C");
        vanishing.rescan();
        const std::optional<CardDrive> drive = CardScan(vanishing, files, FileAccess::ReadOnly, kCards).nextDrive();
        EXPECT_EQ(drive ? drive->Drive.Letter + std::string(":") + drive->First.Name : "", lookups >= 2 ? "C:a.cfg" : "");
    }
}

} // namespace
} // namespace ostra
