#include "platform/FileSave.h"

#include <fcntl.h>
#include <algorithm>
#include <limits.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>

#include "platform/InOutError.h"
#include "platform/files/FileTestSupport.h"

namespace ostra::test {
namespace {

using Names = std::vector<std::string>;

const Bytes kNewContent = patternBytes(2048, 7);

struct stat statusOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status;
}

// Runs a save; answers its error message, or "" when it succeeded.
std::string saveMessage(const std::string& path)
{
    try {
        saveFileSafely(systemFileApi(), path, kNewContent);
    } catch (const EInOutError& error) {
        return error.Message;
    }
    return "";
}

class SaveIdentity : public ::testing::Test {
protected:
    TempFolder folder;
    std::string target = folder.file("unit.cfg");
};

TEST_F(SaveIdentity, KeepsBothNamesOfAHardLinkedFile)
{
    writeBytes(target, patternBytes(2048, 1));
    const std::string other = folder.file("other.cfg");
    ASSERT_EQ(::link(target.c_str(), other.c_str()), 0);

    EXPECT_EQ(saveMessage(target), "");
    EXPECT_EQ(readBytes(other), kNewContent);
    EXPECT_EQ(statusOf(target).st_nlink, 2u);
}

// Another user's world-writable file, saved by a user who may write it but
// not give a file away: a replacement would change its owner (in a sticky
// folder the rename would be refused as well), so it is written in place.
TEST_F(SaveIdentity, KeepsTheOwnerOfAFileAnotherUserSaves)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make files of two users";
    constexpr uid_t kOwner = 12345;
    for (const mode_t folderMode : {0777, 01777}) {
        SCOPED_TRACE(folderMode == 01777 ? "sticky folder" : "open folder");
        ASSERT_EQ(::chmod(folder.path().c_str(), folderMode), 0);
        writeBytes(target, patternBytes(2048, 1));
        ASSERT_EQ(::chown(target.c_str(), kOwner, kOwner), 0);
        ASSERT_EQ(::chmod(target.c_str(), 0666), 0);
        const ino_t before = statusOf(target).st_ino;
        {
            ScopedFileSystemUser nobody(kNobody);
            if (!nobody.active())
                GTEST_SKIP() << "setfsuid(65534) is not allowed here";
            EXPECT_EQ(saveMessage(target), "");
        }
        EXPECT_EQ(readBytes(target), kNewContent);
        EXPECT_EQ(statusOf(target).st_uid, kOwner);
        EXPECT_EQ(statusOf(target).st_gid, kOwner);
        EXPECT_EQ(statusOf(target).st_ino, before);
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
    }
}

TEST_F(SaveIdentity, CreatesTheFileADanglingLinkPointsToAndKeepsTheLink)
{
    const std::string link = folder.file("link.cfg");
    ASSERT_EQ(::symlink("sub/real.cfg", link.c_str()), 0);
    EXPECT_EQ(saveMessage(link), "Invalid filename") << "the link's folder is missing";
    EXPECT_TRUE(std::filesystem::is_symlink(link));

    std::filesystem::create_directory(folder.path() / "sub");
    const mode_t previous = ::umask(022);
    EXPECT_EQ(saveMessage(link), "");
    ::umask(previous);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(folder.file("sub/real.cfg")), kNewContent);
    EXPECT_EQ(statusOf(folder.file("sub/real.cfg")).st_mode & 07777, 0644u);
}

// A path whose temporary name would pass PATH_MAX: an existing file is
// written in place, a new one created under its own name.
TEST_F(SaveIdentity, SavesAPathCloseToTheLengthLimit)
{
    std::string deep = folder.path().string();
    const std::string part(200, 'd');
    while (deep.size() + part.size() + 20 < PATH_MAX - 30) {
        deep += "/" + part;
        ASSERT_TRUE(std::filesystem::create_directory(deep));
    }
    std::string name(PATH_MAX - 8 - deep.size(), 'n');
    ASSERT_LE(name.size(), 255u);
    const std::string path = deep + "/" + name;
    ASSERT_EQ(path.size(), PATH_MAX - 7u);

    EXPECT_EQ(saveMessage(path), "");
    EXPECT_EQ(readBytes(path), kNewContent);
    writeBytes(path, patternBytes(3000, 1));
    EXPECT_EQ(saveMessage(path), "");
    EXPECT_EQ(readBytes(path), kNewContent);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(deep), {}), 1);
}

// A pipe that nobody reads, or that is held open but never read, makes the
// save fail at once instead of freezing the editor.
TEST_F(SaveIdentity, FailsOnAPipeInsteadOfWaiting)
{
    ASSERT_EQ(::mkfifo(target.c_str(), 0644), 0);
    EXPECT_EQ(saveMessage(target), "I/O error 6");

    const int reader = ::open(target.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    std::string message;
    int saves = 0;
    while (message.empty() && saves < 1000) {
        message = saveMessage(target);
        ++saves;
    }
    ::close(reader);
    EXPECT_EQ(message, "I/O error 11");
    EXPECT_GT(saves, 1);
}

void setAge(const std::string& path, int seconds)
{
    const timeval now{std::time(nullptr) - seconds, 0};
    const timeval times[2] = {now, now};
    ASSERT_EQ(::utimes(path.c_str(), times), 0) << path;
}

// Only the editor's own temporary files that a killed save left behind are
// removed: other names, folders, and files of a save still in progress stay.
TEST_F(SaveIdentity, RemovesTheLeftoversOfKilledSaves)
{
    const Names left = {".ostra-0123abcd.tmp", ".ostra-feedbeef.tmp"};
    const Names kept = {".ostra-00000000.tmp.old", ".ostra-0123ABCD.tmp", ".ostra-123.tmp", "notes.tmp"};
    for (const std::string& name : left)
        writeBytes(folder.file(name), patternBytes(100, 1));
    for (const std::string& name : kept)
        writeBytes(folder.file(name), patternBytes(100, 1));
    const std::string young = folder.file(".ostra-99999999.tmp");
    writeBytes(young, patternBytes(100, 1));
    std::filesystem::create_directory(folder.file(".ostra-aaaaaaaa.tmp"));
    for (const std::string& name : left)
        setAge(folder.file(name), 120);
    for (const std::string& name : kept)
        setAge(folder.file(name), 120);
    setAge(young, 10);
    setAge(folder.file(".ostra-aaaaaaaa.tmp"), 120);

    EXPECT_EQ(saveMessage(target), "");

    Names expected = kept;
    expected.insert(expected.end(), {".ostra-99999999.tmp", ".ostra-aaaaaaaa.tmp", "unit.cfg"});
    std::ranges::sort(expected);
    EXPECT_EQ(folder.entries(), expected);
}

} // namespace
} // namespace ostra::test
