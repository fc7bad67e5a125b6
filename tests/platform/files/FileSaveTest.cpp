#include "platform/FileSave.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>

#include "platform/InOutError.h"
#include "platform/files/FaultyFileApi.h"
#include "platform/files/FileTestSupport.h"

namespace ostra::test {
namespace {

using Names = std::vector<std::string>;

const Bytes kNewContent = patternBytes(2048, 2);

// Over an old file, some failures of the temporary file make the save
// write the old file in place instead: it then succeeds.
enum class OverOldFile { Fails, WritesInPlace };

struct SaveFault {
    const char* name;
    FileFault fault;
    int code;
    const char* message;
    OverOldFile overOldFile = OverOldFile::Fails;
};

void PrintTo(const SaveFault& row, std::ostream* out)
{
    *out << row.name;
}

// A save that fails at any step must leave the old file byte for byte, or
// no file when there was none, and no temporary file behind; one that falls
// back to writing in place leaves exactly the new content.
class SaveFailure : public ::testing::TestWithParam<std::tuple<SaveFault, bool>> {
protected:
    TempFolder folder;
    std::string target = folder.file("unit.cfg");
};

TEST_P(SaveFailure, KeepsTheOldFileAndLeavesNoTemporary)
{
    const auto& [row, targetExists] = GetParam();
    const Bytes old = patternBytes(3000, 1);
    if (targetExists)
        writeBytes(target, old);
    FaultyFileApi files;
    files.inject(row.fault);
    const bool writesInPlace = targetExists && row.overOldFile == OverOldFile::WritesInPlace;

    try {
        saveFileSafely(files, target, kNewContent);
        EXPECT_TRUE(writesInPlace) << "the save reported success";
    } catch (const EInOutError& error) {
        EXPECT_FALSE(writesInPlace) << error.Message;
        EXPECT_EQ(error.ErrorCode, row.code);
        EXPECT_EQ(error.Message, row.message);
    }

    EXPECT_EQ(files.openDescriptors(), 0u) << "a descriptor was left open";
    if (targetExists) {
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
        EXPECT_EQ(readBytes(target), writesInPlace ? kNewContent : old);
    } else {
        EXPECT_EQ(folder.entries(), Names{});
    }
}

INSTANTIATE_TEST_SUITE_P(EveryStep, SaveFailure, ::testing::Combine(::testing::Values(
    SaveFault{"CreateNoSpace", {FileStep::CreateNew, ENOSPC}, 101, "Disk full", OverOldFile::WritesInPlace},
    SaveFault{"CreateOutOfFiles", {FileStep::CreateNew, EMFILE}, 4, "Too many open files"},
    SaveFault{"CreateMediumError", {FileStep::CreateNew, EIO}, 5, "I/O error 5"},
    SaveFault{"WriteMediumError", {FileStep::Write, EIO}, 5, "I/O error 5"},
    SaveFault{"WriteNoSpace", {FileStep::Write, ENOSPC}, 101, "Disk full", OverOldFile::WritesInPlace},
    SaveFault{"WriteQuota", {FileStep::Write, EDQUOT}, 101, "Disk full", OverOldFile::WritesInPlace},
    SaveFault{"ShortWrite", {FileStep::Write, 0, 1000}, 101, "Disk full", OverOldFile::WritesInPlace},
    SaveFault{"NothingWritten", {FileStep::Write, 0, 0}, 101, "Disk full", OverOldFile::WritesInPlace},
    SaveFault{"FlushMediumError", {FileStep::Fsync, EIO}, 5, "I/O error 5"},
    SaveFault{"FlushNoSpace", {FileStep::Fsync, ENOSPC}, 101, "Disk full", OverOldFile::WritesInPlace},
    SaveFault{"CloseMediumError", {FileStep::CloseNew, EIO}, 5, "I/O error 5"},
    SaveFault{"CloseNoSpace", {FileStep::CloseNew, ENOSPC}, 28, "I/O error 28"},
    // The descriptor is gone, but the file system's last flush may not
    // have happened: the save fails and the old file stays.
    SaveFault{"CloseInterrupted", {FileStep::CloseNew, EINTR}, 4, "I/O error 4"},
    SaveFault{"RenameDenied", {FileStep::Rename, EACCES}, 5, "File access denied", OverOldFile::WritesInPlace},
    SaveFault{"RenameCrossDevice", {FileStep::Rename, EXDEV}, 18, "I/O error 18"},
    SaveFault{"RenameMediumError", {FileStep::Rename, EIO}, 5, "I/O error 5"}),
    ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "OverOldFile" : "NewFile");
    });

class Save : public ::testing::Test {
protected:
    TempFolder folder;
    std::string target = folder.file("unit.cfg");

    struct stat statusOf(const std::string& path)
    {
        struct stat status {};
        EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
        return status;
    }
};

TEST_F(Save, FlushesTheNewFileBeforeTheRenameAndTheFolderAfterIt)
{
    writeBytes(target, patternBytes(2048, 1));
    FaultyFileApi files;
    saveFileSafely(files, target, kNewContent);

    const auto& log = files.log();
    const auto at = [&](FileStep step) { return std::ranges::find(log, step) - log.begin(); };
    ASSERT_LT(at(FileStep::FsyncFolder), static_cast<long>(log.size()));
    EXPECT_LT(at(FileStep::Write), at(FileStep::Fsync));
    EXPECT_LT(at(FileStep::Fsync), at(FileStep::CloseNew));
    EXPECT_LT(at(FileStep::CloseNew), at(FileStep::Rename));
    EXPECT_LT(at(FileStep::Rename), at(FileStep::FsyncFolder));
    EXPECT_EQ(files.count(FileStep::Write), 1);
}

TEST_F(Save, GivesTheReplacementThePermissionBitsOfTheOldFile)
{
    for (mode_t mode : {0600, 0640, 0604, 0755}) {
        writeBytes(target, patternBytes(2048, 1));
        ::chmod(target.c_str(), mode);
        saveFileSafely(systemFileApi(), target, kNewContent);
        EXPECT_EQ(statusOf(target).st_mode & 07777, mode);
    }
}

TEST_F(Save, GivesTheReplacementTheOwnerOfTheOldFile)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can give a file away";
    writeBytes(target, patternBytes(2048, 1));
    ASSERT_EQ(::chown(target.c_str(), kNobody, kNobody), 0);
    saveFileSafely(systemFileApi(), target, kNewContent);
    EXPECT_EQ(statusOf(target).st_uid, kNobody);
    EXPECT_EQ(statusOf(target).st_gid, kNobody);
}

TEST_F(Save, CreatesANewFileWithTheUsualCreationMode)
{
    const mode_t previous = ::umask(027);
    saveFileSafely(systemFileApi(), target, kNewContent);
    ::umask(previous);
    EXPECT_EQ(statusOf(target).st_mode & 07777, 0640u);
    EXPECT_EQ(readBytes(target), kNewContent);
}

// FAT cards keep no owner or permission bits and refuse to set them.
TEST_F(Save, TakesARefusalOfOwnerOrModeAsNoError)
{
    writeBytes(target, patternBytes(2048, 1));
    FaultyFileApi files;
    files.inject({FileStep::Fchmod, EPERM});
    files.inject({FileStep::Fchown, EPERM});
    saveFileSafely(files, target, kNewContent);
    EXPECT_EQ(readBytes(target), kNewContent);
    EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
}

TEST_F(Save, TriesAnotherTemporaryNameWhenOneIsTaken)
{
    FaultyFileApi files;
    files.inject({FileStep::CreateNew, EEXIST});
    saveFileSafely(files, target, kNewContent);
    EXPECT_EQ(files.count(FileStep::CreateNew), 2);
    EXPECT_EQ(readBytes(target), kNewContent);
}

TEST_F(Save, IgnoresAFolderThatCannotBeFlushed)
{
    FaultyFileApi files;
    files.inject({FileStep::FsyncFolder, EINVAL});
    saveFileSafely(files, target, kNewContent);
    EXPECT_EQ(readBytes(target), kNewContent);
}

// Once renamed the new bytes are in place; a failed folder flush still
// reports that the save may not survive a power loss.
TEST_F(Save, ReportsAFolderFlushFailureAfterTheRename)
{
    writeBytes(target, patternBytes(2048, 1));
    FaultyFileApi files;
    files.inject({FileStep::FsyncFolder, EIO});
    EXPECT_THROW(
        try { saveFileSafely(files, target, kNewContent); } catch (const EInOutError& error) {
            EXPECT_EQ(error.Message, "I/O error 5");
            throw;
        },
        EInOutError);
    EXPECT_EQ(readBytes(target), kNewContent);
    EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
}

} // namespace
} // namespace ostra::test
