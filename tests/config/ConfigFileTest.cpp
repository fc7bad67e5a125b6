#include "config/ConfigFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <gtest/gtest.h>

#include <ostream>

#include "platform/InOutError.h"
#include "platform/files/FileTestSupport.h"

namespace ostra {
namespace {

using test::Bytes;
using test::patternBytes;
using test::readBytes;
using test::writeBytes;
using Names = std::vector<std::string>;

// Where the path of a case points.
enum class Place { MissingFile, MissingFolder, FileOnThePath, Folder, File };

struct FileCase {
    const char* name;
    Place place;
    std::size_t length; // of the file, for Place::File
    const char* message; // "" for success
};

// Test listings name the case, not its bytes.
void PrintTo(const FileCase& row, std::ostream* out)
{
    *out << row.name;
}

class ConfigFileCase : public ::testing::TestWithParam<FileCase> {
protected:
    test::TempFolder folder;
    Bytes old;

    std::string prepare(const FileCase& row)
    {
        switch (row.place) {
        case Place::MissingFile: return folder.file("unit.cfg");
        case Place::MissingFolder: return folder.file("missing/unit.cfg");
        case Place::FileOnThePath:
            writeBytes(folder.file("plain"), patternBytes(10, 1));
            return folder.file("plain/unit.cfg");
        case Place::Folder:
            ::mkdir(folder.file("unit.cfg").c_str(), 0755);
            return folder.file("unit.cfg");
        case Place::File:
            old = patternBytes(row.length, 7);
            writeBytes(folder.file("unit.cfg"), old);
            return folder.file("unit.cfg");
        }
        return {};
    }
};

// The message a call raised, or "" when it succeeded.
template <typename Call>
std::string messageOf(Call call)
{
    try {
        call();
    } catch (const EInOutError& error) {
        return error.Message;
    }
    return "";
}

// What a read leaves: the bytes the file delivered, then zeros.
Bytes deliveredThenZeros(const Bytes& file)
{
    Bytes record(layout::kRecordSize, 0);
    std::copy_n(file.begin(), std::min(file.size(), record.size()), record.begin());
    return record;
}

Bytes bytesOf(const TConfigRecord& record)
{
    return Bytes(record.begin(), record.end());
}

class ReadConfig : public ConfigFileCase {};

TEST_P(ReadConfig, RaisesTheTableErrorAndLeavesTheDeliveredBytes)
{
    const FileCase& row = GetParam();
    const std::string path = prepare(row);
    TConfigRecord record;
    record.fill(0xAA); // a configuration loaded before

    EXPECT_EQ(messageOf([&] { ReadConfigFile(path, record); }), row.message);
    EXPECT_EQ(bytesOf(record), deliveredThenZeros(old));
    if (row.place == Place::File) {
        EXPECT_EQ(readBytes(path), old) << "reading changed the file";
    }
}

INSTANTIATE_TEST_SUITE_P(RealFiles, ReadConfig, ::testing::Values(
    FileCase{"MissingFile", Place::MissingFile, 0, "File not found"},
    FileCase{"MissingFolder", Place::MissingFolder, 0, "Invalid filename"},
    FileCase{"FileOnThePath", Place::FileOnThePath, 0, "Invalid filename"},
    FileCase{"FolderAsFile", Place::Folder, 0, "File access denied"},
    FileCase{"Empty", Place::File, 0, "Read beyond end of file"},
    FileCase{"Short100", Place::File, 100, "Read beyond end of file"},
    FileCase{"Short2047", Place::File, 2047, "Read beyond end of file"},
    FileCase{"Exact2048", Place::File, 2048, ""},
    FileCase{"Long3000", Place::File, 3000, ""},
    FileCase{"Long5000", Place::File, 5000, ""}),
    [](const auto& info) { return info.param.name; });

class WriteConfig : public ConfigFileCase {};

TEST_P(WriteConfig, LeavesExactlyTheRecordOrRaisesTheTableError)
{
    const FileCase& row = GetParam();
    const std::string path = prepare(row);
    const std::vector<unsigned char> old = row.place == Place::File ? readBytes(path) : std::vector<unsigned char>{};
    TConfigRecord record;
    std::ranges::copy(patternBytes(layout::kRecordSize, 9), record.begin());
    const TConfigRecord before = record;

    const std::string message = messageOf([&] { WriteConfigFile(path, record); });

    EXPECT_EQ(message, row.message);
    EXPECT_EQ(record, before);
    if (message.empty()) {
        EXPECT_EQ(readBytes(path), bytesOf(record)) << "a save leaves exactly the record, whatever the file held";
    }
    const Names expectedEntries = row.place == Place::FileOnThePath ? Names{"plain"}
        : row.place == Place::MissingFolder                        ? Names{}
                                                                   : Names{"unit.cfg"};
    EXPECT_EQ(folder.entries(), expectedEntries);
}

INSTANTIATE_TEST_SUITE_P(RealFiles, WriteConfig, ::testing::Values(
    FileCase{"NewFile", Place::MissingFile, 0, ""},
    FileCase{"MissingFolder", Place::MissingFolder, 0, "Invalid filename"},
    FileCase{"FileOnThePath", Place::FileOnThePath, 0, "Invalid filename"},
    FileCase{"FolderAsFile", Place::Folder, 0, "File access denied"},
    FileCase{"OverEmpty", Place::File, 0, ""},
    FileCase{"OverShort100", Place::File, 100, ""},
    FileCase{"OverShort2047", Place::File, 2047, ""},
    FileCase{"OverLong3000", Place::File, 3000, ""},
    FileCase{"OverLong5000", Place::File, 5000, ""}),
    [](const auto& info) { return info.param.name; });

// A file with a second name is written in place rather than replaced; a
// longer one is cut to the record there too, under both names.
TEST(WriteConfigInPlace, LeavesExactlyTheRecordUnderEveryName)
{
    test::TempFolder folder;
    const std::string path = folder.file("unit.cfg");
    const std::string other = folder.file("copy.cfg");
    const Bytes old = patternBytes(3000, 5);
    writeBytes(path, old);
    ASSERT_EQ(::link(path.c_str(), other.c_str()), 0);
    TConfigRecord record;
    std::ranges::copy(patternBytes(layout::kRecordSize, 9), record.begin());

    WriteConfigFile(path, record);

    const Bytes expected(record.begin(), record.end());
    EXPECT_EQ(readBytes(path), expected);
    EXPECT_EQ(readBytes(other), expected) << "written in place, not replaced";
}

// A file this user may not write loads but cannot be saved, and a refused
// save leaves it as it was.
class UnwritableConfig : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string path = folder.file("unit.cfg");
    Bytes old = patternBytes(layout::kRecordSize, 3);

    void expectLoadedButNotSaved()
    {
        TConfigRecord record;
        record.fill(0xAA);
        EXPECT_EQ(messageOf([&] { ReadConfigFile(path, record); }), "");
        EXPECT_EQ(Bytes(record.begin(), record.end()), old);
        record.fill(0x55);
        EXPECT_EQ(messageOf([&] { WriteConfigFile(path, record); }), "File access denied");
    }

    void expectOldFileAlone()
    {
        EXPECT_EQ(readBytes(path), old);
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
    }
};

// Root ignores permission bits, so the calls run with an unprivileged
// file-system user; the folder stays readable (0755) for that user.
TEST_F(UnwritableConfig, ReadOnlyForThisUser)
{
    writeBytes(path, old);
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    if (::geteuid() != 0) {
        expectLoadedButNotSaved();
    } else {
        test::ScopedFileSystemUser nobody(test::kNobody);
        if (!nobody.active())
            GTEST_SKIP() << "running as root and setfsuid(65534) is not allowed, so no file is unwritable";
        expectLoadedButNotSaved();
    }
    expectOldFileAlone();
}

TEST_F(UnwritableConfig, ImmutableFile)
{
    writeBytes(path, old);
    if (const auto reason = test::setImmutable(path, true))
        GTEST_SKIP() << "chattr +i is not possible here: " << *reason;
    expectLoadedButNotSaved();
    test::setImmutable(path, false);
    expectOldFileAlone();
}

} // namespace
} // namespace ostra
