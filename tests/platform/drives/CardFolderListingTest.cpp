#include "platform/drives/CardFolderListing.h"

#include "fakes/FakeRemovableDrives.h"
#include "platform/drives/CountingCardFiles.h"
#include "platform/drives/DriveFixtures.h"
#include "platform/InOutError.h"

#include <gtest/gtest.h>

#include <linux/msdos_fs.h>
#include <map>
#include <set>
#include <sys/stat.h>

namespace ostra {
namespace {

// The listing the editor makes: configuration files, a record of each.
constexpr std::string_view kPattern = "*.cfg";
constexpr std::size_t kHeadSize = 2048;

// What a listing gave: each name with its first byte, or with the message
// of its failure.
std::vector<std::string> listAll(CardFolderListing& listing)
{
    std::vector<std::string> results;
    while (const std::optional<CardFile> file = listing.next()) {
        std::string result = file->Name + ": ";
        try {
            if (file->Failure)
                std::rethrow_exception(file->Failure);
            result += static_cast<char>(file->Head[0]);
        } catch (const EInOutError& error) {
            result += error.Message;
        }
        results.push_back(result);
    }
    return results;
}

struct ListingCase {
    const char* what;
    std::map<std::string, std::string> files; // name -> content; a trailing "/" makes a folder
    std::map<std::string, std::uint32_t> attributes;
    std::set<std::string> readOnly;
    std::vector<std::string> listed;
};

// Test listings name the case, not its bytes.
void PrintTo(const ListingCase& row, std::ostream* out)
{
    *out << row.what;
}

const std::string kRecordA = std::string(2048, 'a');
const std::string kRecordB = std::string(2048, 'b');

class CardFolderListingTest : public ::testing::TestWithParam<ListingCase> {
protected:
    test::TempFolder temp;
};

TEST_P(CardFolderListingTest, ListsPlainFilesInNameOrderEachOpenedOnceFromOneScan)
{
    const ListingCase& row = GetParam();
    for (const auto& [name, content] : row.files) {
        if (name.ends_with('/'))
            std::filesystem::create_directories(temp.path() / name);
        else
            test::writeFile(temp.path() / name, content);
    }
    test::CountingCardFiles files;
    files.Attributes = row.attributes;
    files.ReadOnly = row.readOnly;
    {
        CardFolderListing listing(files, temp.path(), kPattern, kHeadSize);
        EXPECT_EQ(listAll(listing), row.listed);
        EXPECT_EQ(files.OpenDescriptors, 1) << "only the folder stays open while listing";
    }
    EXPECT_EQ(files.OpenDescriptors, 0);
    EXPECT_EQ(files.FolderScans, 1);
    // Each entry that may be a listed file is opened once, twice where
    // writing is refused; none that its name or type rules out is opened.
    std::map<std::string, int> expectedOpens;
    for (const auto& [name, content] : row.files) {
        if (!name.starts_with('.') && !name.ends_with('/') && MatchesWildcard(name, kPattern))
            expectedOpens[name] = row.readOnly.contains(name) ? 2 : 1;
    }
    EXPECT_EQ(files.Opens, expectedOpens);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, CardFolderListingTest,
    ::testing::Values(
        ListingCase{"OnlyMatchingPlainFilesByteOrder",
                    {{"b.cfg", kRecordB}, {"A.CFG", kRecordA}, {"Mixed.Cfg", kRecordB}, {".hidden.cfg", kRecordA},
                     {"notes.txt", kRecordA}, {"folder.cfg/", ""}},
                    {}, {}, {"A.CFG: a", "Mixed.Cfg: b", "b.cfg: b"}},
        ListingCase{"FatHiddenSystemAndVolumeSkipped",
                    {{"PLAIN.CFG", kRecordA}, {"HIDDEN.CFG", kRecordA}, {"SYSTEM.CFG", kRecordA},
                     {"LABEL.CFG", kRecordA}, {"RO.CFG", kRecordB}, {"ARCH.CFG", kRecordB}},
                    {{"HIDDEN.CFG", ATTR_HIDDEN | ATTR_ARCH}, {"SYSTEM.CFG", ATTR_SYS}, {"LABEL.CFG", ATTR_VOLUME},
                     {"RO.CFG", ATTR_RO}, {"ARCH.CFG", ATTR_ARCH}},
                    {}, {"ARCH.CFG: b", "PLAIN.CFG: a", "RO.CFG: b"}},
        ListingCase{"ShortAndLongFiles",
                    {{"1.cfg", kRecordA}, {"2.cfg", std::string(1000, 'x')}, {"3.cfg", kRecordB + "tail"}},
                    {}, {}, {"1.cfg: a", "2.cfg: Read beyond end of file", "3.cfg: b"}},
        ListingCase{"UnwritableReadUnlessHidden",
                    {{"1.cfg", kRecordA}, {"2.cfg", kRecordB}, {"3.cfg", kRecordB}},
                    {{"3.cfg", ATTR_HIDDEN}}, {"2.cfg", "3.cfg"}, {"1.cfg: a", "2.cfg: b"}},
        ListingCase{"EmptyFolder", {}, {}, {}, {}}),
    [](const ::testing::TestParamInfo<ListingCase>& info) { return std::string(info.param.what); });

TEST(CardFolderListing, LinksDevicesAndUnreadableFoldersGiveNothing)
{
    test::TempFolder temp;
    test::writeFile(temp.path() / "target", kRecordA);
    std::filesystem::create_symlink("target", temp.path() / "link.cfg");
    std::filesystem::create_symlink("missing", temp.path() / "dangling.cfg");
    ASSERT_EQ(::mkfifo((temp.path() / "pipe.cfg").c_str(), 0600), 0);
    test::CountingCardFiles files;
    for (const std::filesystem::path& folder : {temp.path(), temp.path() / "missing", temp.path() / "target",
                                                std::filesystem::path()}) {
        CardFolderListing listing(files, folder, kPattern, kHeadSize);
        EXPECT_FALSE(listing.next().has_value()) << folder;
    }
    EXPECT_TRUE(files.Opens.empty()) << "no entry that cannot be a plain file is opened";
    EXPECT_EQ(files.OpenDescriptors, 0);
}

// Each file is read as a load reads it: a request that fails fails that
// file alone, with the load's message, and the files after it are still
// listed. An interrupted close fails its file too, and is not retried.
TEST(CardFolderListing, AFailingRequestFailsItsFileAloneAsALoadWould)
{
    using test::FileStep;
    struct Row {
        const char* what;
        test::FileFault fault; // the second of its kind: b.cfg's
        const char* listed;
    };
    const Row rows[] = {
        {"OpenMissing", {FileStep::Open, ENOENT, -1, 2}, "b.cfg: File not found"},
        {"OpenOutOfFiles", {FileStep::Open, EMFILE, -1, 2}, "b.cfg: Too many open files"},
        {"ReadMediumError", {FileStep::Read, EIO, -1, 2}, "b.cfg: I/O error 5"},
        {"ShortRead", {FileStep::Read, 0, 100, 2}, "b.cfg: Read beyond end of file"},
        {"CloseMediumError", {FileStep::Close, EIO, -1, 2}, "b.cfg: I/O error 5"},
        {"CloseInterrupted", {FileStep::Close, EINTR, -1, 2}, "b.cfg: I/O error 4"},
    };
    test::TempFolder temp;
    for (const char* name : {"a.cfg", "b.cfg", "c.cfg"})
        test::writeFile(temp.path() / name, kRecordA);
    for (const Row& row : rows) {
        test::CountingCardFiles files;
        files.inject(row.fault);
        {
            CardFolderListing listing(files, temp.path(), kPattern, kHeadSize);
            EXPECT_EQ(listAll(listing), (std::vector<std::string>{"a.cfg: a", row.listed, "c.cfg: a"})) << row.what;
        }
        EXPECT_EQ(files.OpenDescriptors, 0) << row.what;
        EXPECT_EQ(files.count(FileStep::Close), files.count(FileStep::Open) - (row.fault.step == FileStep::Open ? 1 : 0))
            << row.what << ": each file's descriptor is closed once";
    }
}

// A reader that never writes lists the files it may not write as any other.
TEST(CardFolderListing, ReadingOnlyListsUnwritableFilesWithTheirBytes)
{
    test::TempFolder temp;
    test::writeFile(temp.path() / "LOCKED.CFG", kRecordB);
    test::writeFile(temp.path() / "HIDDEN.CFG", kRecordB);
    test::CountingCardFiles files;
    files.ReadOnly = {"LOCKED.CFG", "HIDDEN.CFG"};
    files.Attributes = {{"HIDDEN.CFG", ATTR_HIDDEN}};
    CardFolderListing listing(files, temp.path(), kPattern, kHeadSize, FileAccess::ReadOnly);
    EXPECT_EQ(listAll(listing), std::vector<std::string>{"LOCKED.CFG: b"});
    EXPECT_EQ(files.Opens, (std::map<std::string, int>{{"HIDDEN.CFG", 1}, {"LOCKED.CFG", 1}}));
}

// The search for plain files, seen through the names a listing gives.
using Names = std::vector<std::string>;

TEST(Wildcard, MatchesLikeTheBrowserNeeds)
{
    struct Row {
        const char* name;
        const char* pattern;
        bool matches;
    };
    const Row rows[] = {
        {"CFG1.CFG", "*.cfg", true},    {"cfg1.cfg", "*.cfg", true},     {"Setup.Cfg", "*.CFG", true},
        {"my cfg.cfg", "*.cfg", true},  {"a]b.cfg", "*.cfg", true},      {"a.b.cfg", "*.cfg", true},
        {".cfg", "*.cfg", true},        {"a.cfgx", "*.cfg", false},      {"a.cfg.bak", "*.cfg", false},
        {"cfg", "*.cfg", false},        {"acfg", "*.cfg", false},        {"", "*", true},
        {"x", "?", true},               {"", "?", false},                {"aXcYc", "a*c", true},
        {"aXcYd", "a*c", false},        {"abc", "a**c", true},           {"ab", "a?c", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(MatchesWildcard(row.name, row.pattern), row.matches) << row.name << " ~ " << row.pattern;
    }
}

class FileSearch : public ::testing::Test {
protected:
    void addFile(const std::string& name) { test::writeFile(temp.path() / name, std::string(2048, 'x')); }

    test::TempFolder temp;
};

TEST_F(FileSearch, ListsRegularFilesOfTheFolderOnlyInNameOrder)
{
    for (const char* name : {"lower.cfg", "CFG1.CFG", "Mixed.Cfg", "my cfg.cfg", "a]b.cfg", ".hidden.cfg",
                             "notes.txt", "sub/deep.cfg", "folder.cfg/inside.txt"}) {
        addFile(name);
    }
    std::filesystem::create_symlink("CFG1.CFG", temp.path() / "link.cfg");
    std::filesystem::create_symlink("missing", temp.path() / "dangling.cfg");
    ASSERT_EQ(::mkfifo((temp.path() / "pipe.cfg").c_str(), 0600), 0);

    EXPECT_EQ(test::listedNames(systemFileApi(), temp.path()),
              (Names{"CFG1.CFG", "Mixed.Cfg", "a]b.cfg", "lower.cfg", "my cfg.cfg"}));
}

// The kernel's FAT driver answers the attribute request; stand in for it.
TEST_F(FileSearch, HonoursFatHiddenSystemAndVolumeAttributes)
{
    const std::map<std::string, std::uint32_t> attributes = {
        {"PLAIN.CFG", 0},        {"ARCHIVE.CFG", ATTR_ARCH}, {"READONLY.CFG", ATTR_RO},
        {"HIDDEN.CFG", ATTR_HIDDEN}, {"SYSTEM.CFG", ATTR_SYS}, {"LABEL.CFG", ATTR_VOLUME},
        {"BOTH.CFG", ATTR_HIDDEN | ATTR_ARCH},
    };
    for (const auto& [name, value] : attributes) {
        addFile(name);
    }
    addFile("UNKNOWN.CFG");
    test::CountingCardFiles fakeFat;
    fakeFat.Attributes = attributes;
    EXPECT_EQ(test::listedNames(fakeFat, temp.path()),
              (Names{"ARCHIVE.CFG", "PLAIN.CFG", "READONLY.CFG", "UNKNOWN.CFG"}));
}

TEST_F(FileSearch, ListsEverythingWhereAttributesCannotBeRead)
{
    addFile("HIDDEN.CFG");
    EXPECT_FALSE(test::fatAttributesOf(temp.path() / "HIDDEN.CFG").has_value()) << "not a FAT file system";
    EXPECT_EQ(test::listedNames(systemFileApi(), temp.path()), Names{"HIDDEN.CFG"});
}

TEST_F(FileSearch, FindsNothingInAFolderThatCannotBeSearched)
{
    addFile("file.cfg");
    EXPECT_TRUE(test::listedNames(systemFileApi(), temp.path() / "missing").empty());
    EXPECT_TRUE(test::listedNames(systemFileApi(), temp.path() / "file.cfg").empty());
    EXPECT_TRUE(test::listedNames(systemFileApi(), "").empty());
}

TEST_F(FileSearch, FakeDrivesChangeAtRescanAndSearchTheirFolders)
{
    addFile("A/CARD.CFG");
    addFile("B/OTHER.CFG");
    FakeRemovableDrives drives;
    drives.plugIn('F', temp.path() / "B", "SECOND");
    drives.plugIn('E', temp.path() / "A", "FIRST");
    EXPECT_EQ(drives.driveTypeOf("E:\\"), DriveType::NoRootDir) << "plugged in, not yet scanned";

    drives.rescan();
    ASSERT_EQ(drives.drives().size(), 2u);
    EXPECT_EQ(drives.drives()[0].Letter, 'E');
    EXPECT_EQ(drives.drives()[0].VolumeName, "FIRST");
    EXPECT_EQ(drives.driveTypeOf("e:"), DriveType::Removable);
    EXPECT_EQ(test::listedNames(systemFileApi(), drives.rootFolder('F')), Names{"OTHER.CFG"});

    drives.unplug('E');
    drives.rescan();
    EXPECT_EQ(drives.driveTypeOf("E:\\"), DriveType::NoRootDir);
    EXPECT_TRUE(drives.rootFolder('E').empty());
    EXPECT_EQ(drives.RescanCount, 2);
}

} // namespace
} // namespace ostra
