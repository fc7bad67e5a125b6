#include "platform/drives/FileSearch.h"

#include "platform/drives/DriveFixtures.h"
#include "platform/drives/FakeRemovableDrives.h"

#include <gtest/gtest.h>

#include <linux/msdos_fs.h>
#include <map>
#include <sys/stat.h>

namespace ostra {
namespace {

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

    EXPECT_EQ(FindPlainFiles(temp.path(), "*.cfg"),
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
    const FatAttributeReader fakeFat = [&](const std::filesystem::path& file) -> std::optional<std::uint32_t> {
        const auto found = attributes.find(file.filename().string());
        return found == attributes.end() ? std::nullopt : std::optional(found->second);
    };
    EXPECT_EQ(FindPlainFiles(temp.path(), "*.cfg", fakeFat),
              (Names{"ARCHIVE.CFG", "PLAIN.CFG", "READONLY.CFG", "UNKNOWN.CFG"}));
}

TEST_F(FileSearch, ListsEverythingWhereAttributesCannotBeRead)
{
    addFile("HIDDEN.CFG");
    EXPECT_FALSE(ReadFatAttributes(temp.path() / "HIDDEN.CFG").has_value()) << "not a FAT file system";
    EXPECT_EQ(FindPlainFiles(temp.path(), "*.cfg"), Names{"HIDDEN.CFG"});
}

TEST_F(FileSearch, FindsNothingInAFolderThatCannotBeSearched)
{
    addFile("file.cfg");
    EXPECT_TRUE(FindPlainFiles(temp.path() / "missing", "*.cfg").empty());
    EXPECT_TRUE(FindPlainFiles(temp.path() / "file.cfg", "*.cfg").empty());
    EXPECT_TRUE(FindPlainFiles("", "*.cfg").empty());
}

TEST_F(FileSearch, FakeDrivesChangeAtRescanAndSearchTheirFolders)
{
    addFile("A/CARD.CFG");
    addFile("B/OTHER.CFG");
    FakeRemovableDrives drives;
    drives.PlugIn('F', temp.path() / "B", "SECOND");
    drives.PlugIn('E', temp.path() / "A", "FIRST");
    EXPECT_EQ(drives.DriveTypeOf("E:\\"), DriveType::NoRootDir) << "plugged in, not yet scanned";

    drives.Rescan();
    ASSERT_EQ(drives.Drives().size(), 2u);
    EXPECT_EQ(drives.Drives()[0].Letter, 'E');
    EXPECT_EQ(drives.Drives()[0].VolumeName, "FIRST");
    EXPECT_EQ(drives.DriveTypeOf("e:"), DriveType::Removable);
    EXPECT_EQ(drives.FindFiles(drives.RootFolder('F'), "*.cfg"), Names{"OTHER.CFG"});

    drives.Unplug('E');
    drives.Rescan();
    EXPECT_EQ(drives.DriveTypeOf("E:\\"), DriveType::NoRootDir);
    EXPECT_TRUE(drives.RootFolder('E').empty());
    EXPECT_EQ(drives.RescanCount, 2);
}

} // namespace
} // namespace ostra
