#include "platform/drives/CardFolderListing.h"

#include "platform/drives/CountingCardFiles.h"
#include "platform/drives/DriveFixtures.h"
#include "platform/drives/FileSearch.h"
#include "platform/InOutError.h"

#include <gtest/gtest.h>

#include <linux/msdos_fs.h>
#include <map>
#include <set>
#include <sys/stat.h>

namespace ostra {
namespace {

// What a listing gave: each name with its first byte, or with the message
// of its failure.
std::vector<std::string> listAll(CardFolderListing& listing)
{
    std::vector<std::string> results;
    while (const std::optional<CardFile> file = listing.Next()) {
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
        CardFolderListing listing(files, temp.path(), "*.cfg");
        EXPECT_EQ(listAll(listing), row.listed);
        EXPECT_EQ(files.OpenDescriptors, 1) << "only the folder stays open while listing";
    }
    EXPECT_EQ(files.OpenDescriptors, 0);
    EXPECT_EQ(files.FolderScans, 1);
    // Each entry that may be a listed file is opened once, twice where
    // writing is refused; none that its name or type rules out is opened.
    std::map<std::string, int> expectedOpens;
    for (const auto& [name, content] : row.files) {
        if (!name.starts_with('.') && !name.ends_with('/') && MatchesWildcard(name, "*.cfg"))
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
        ListingCase{"UnwritableFailsUnlessHidden",
                    {{"1.cfg", kRecordA}, {"2.cfg", kRecordA}, {"3.cfg", kRecordB}},
                    {{"3.cfg", ATTR_HIDDEN}}, {"2.cfg", "3.cfg"}, {"1.cfg: a", "2.cfg: File access denied"}},
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
        CardFolderListing listing(files, folder, "*.cfg");
        EXPECT_FALSE(listing.Next().has_value()) << folder;
    }
    EXPECT_TRUE(files.Opens.empty()) << "no entry that cannot be a plain file is opened";
    EXPECT_EQ(files.OpenDescriptors, 0);
}

} // namespace
} // namespace ostra
