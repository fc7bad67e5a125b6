#include "platform/FileSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>

#include "platform/InOutError.h"
#include "platform/files/FaultyFileApi.h"
#include "platform/files/FileTestSupport.h"

namespace ostra::test {
namespace {

using Names = std::vector<std::string>;

const Bytes kNewContent = patternBytes(2048, 5);

class SaveTarget : public ::testing::Test {
protected:
    TempFolder folder;
    std::string target = folder.file("unit.cfg");

    ino_t inodeOf(const std::string& path)
    {
        struct stat status {};
        EXPECT_EQ(::lstat(path.c_str(), &status), 0) << path;
        return status.st_ino;
    }

    // Runs save and returns the message it raised, or "" on success.
    template <typename Save>
    std::string messageOf(Save save)
    {
        try {
            save();
        } catch (const EInOutError& error) {
            return error.Message;
        }
        return "";
    }
};

TEST_F(SaveTarget, WritesInPlaceWhenTheFolderRefusesNewFiles)
{
    writeBytes(target, patternBytes(3000, 1));
    const ino_t before = inodeOf(target);
    FaultyFileApi files;
    files.inject({FileStep::CreateNew, EACCES});

    saveFileSafely(files, target, kNewContent);

    EXPECT_EQ(readBytes(target), kNewContent);
    EXPECT_EQ(inodeOf(target), before);
    EXPECT_EQ(files.count(FileStep::Rename), 0);
    EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
}

TEST_F(SaveTarget, RefusesANewFileInAFolderThatRefusesNewFiles)
{
    FaultyFileApi files;
    files.inject({FileStep::CreateNew, EACCES});
    EXPECT_EQ(messageOf([&] { saveFileSafely(files, target, kNewContent); }), "File access denied");
    EXPECT_EQ(folder.entries(), Names{});
}

// The same through the real file system: a folder only root may write to,
// a file that the unprivileged user owns.
TEST_F(SaveTarget, WritesInPlaceIntoAFolderTheUserCannotWrite)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to hand the file to another user";
    writeBytes(target, patternBytes(3000, 1));
    ASSERT_EQ(::chown(target.c_str(), kNobody, kNobody), 0);
    const ino_t before = inodeOf(target);
    {
        ScopedFileSystemUser nobody(kNobody);
        if (!nobody.active())
            GTEST_SKIP() << "setfsuid(65534) is not allowed here";
        saveFileSafely(systemFileApi(), target, kNewContent);
    }
    EXPECT_EQ(readBytes(target), kNewContent);
    EXPECT_EQ(inodeOf(target), before);
}

TEST_F(SaveTarget, WritesAPipeInPlaceAndNeverRenamesOverIt)
{
    ASSERT_EQ(::mkfifo(target.c_str(), 0644), 0);
    const int reader = ::open(target.c_str(), O_RDWR | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    FaultyFileApi files;

    saveFileSafely(files, target, kNewContent);

    Bytes received(4096);
    const ssize_t count = ::read(reader, received.data(), received.size());
    ::close(reader);
    received.resize(static_cast<std::size_t>(std::max<ssize_t>(count, 0)));
    EXPECT_EQ(received, kNewContent);
    EXPECT_TRUE(std::filesystem::is_fifo(target));
    EXPECT_EQ(files.count(FileStep::CreateNew), 0);
    EXPECT_EQ(files.count(FileStep::Rename), 0);
}

TEST_F(SaveTarget, SavesThroughASymbolicLinkAndKeepsTheLink)
{
    const std::string real = folder.file("real.cfg");
    const std::string link = folder.file("link.cfg");
    writeBytes(real, patternBytes(3000, 1));
    ASSERT_EQ(::symlink("real.cfg", link.c_str()), 0);

    saveFileSafely(systemFileApi(), link, kNewContent);

    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(real), kNewContent);
    EXPECT_EQ(folder.entries(), (Names{"link.cfg", "real.cfg"}));
}

TEST_F(SaveTarget, RefusesAnUnwritableTargetBeforeWritingAnything)
{
    const Bytes old = patternBytes(3000, 1);
    writeBytes(target, old);
    FaultyFileApi files;
    files.inject({FileStep::Open, EACCES});

    EXPECT_EQ(messageOf([&] { saveFileSafely(files, target, kNewContent); }), "File access denied");
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(files.count(FileStep::CreateNew), 0);
    EXPECT_EQ(files.count(FileStep::Write), 0);
}

} // namespace
} // namespace ostra::test
