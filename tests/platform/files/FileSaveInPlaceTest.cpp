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

const Bytes kOldContent = patternBytes(3000, 1);
const Bytes kNewContent = patternBytes(2048, 6);

ino_t inodeOf(const std::string& path)
{
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_ino;
}

// What the file holds after an in-place save was cut off by a fault.
enum class Left {
    OldFile,     // byte for byte the old file: nothing was written
    NewRecord,   // the new bytes at its head, maybe the old tail behind
    NewFile,     // exactly the new bytes
};

struct InPlaceFault {
    const char* name;
    FileFault fault;
    const char* message; // "" when the save succeeds
    Left left;
};

void PrintTo(const InPlaceFault& row, std::ostream* out)
{
    *out << row.name;
}

// A file with a second hard link is written in place. The first Open and Close are
// the writability probe, the first Fsync flushes the written bytes, the
// second the cut. Whatever step fails, the file is never empty and its head
// is never a mix of old and new.
class InPlaceFailure : public ::testing::TestWithParam<InPlaceFault> {
protected:
    TempFolder folder;
    std::string target = folder.file("unit.cfg");
    std::string link = folder.file("link.cfg");
};

TEST_P(InPlaceFailure, LeavesTheOldOrTheNewRecordAndNoOtherFile)
{
    const InPlaceFault& row = GetParam();
    writeBytes(target, kOldContent);
    ASSERT_EQ(::link(target.c_str(), link.c_str()), 0);
    const ino_t before = inodeOf(target);
    FaultyFileApi files;
    files.inject(row.fault);

    EXPECT_EQ(saveMessage(files, target, kNewContent), row.message);
    EXPECT_EQ(files.openDescriptors(), 0u);
    EXPECT_EQ(folder.entries(), (Names{"link.cfg", "unit.cfg"}));
    const Bytes now = readBytes(target);
    switch (row.left) {
    case Left::OldFile:
        EXPECT_EQ(now, kOldContent);
        break;
    case Left::NewRecord:
        ASSERT_GE(now.size(), kNewContent.size());
        EXPECT_TRUE(std::equal(kNewContent.begin(), kNewContent.end(), now.begin()));
        break;
    case Left::NewFile:
        EXPECT_EQ(now, kNewContent);
        break;
    }
    EXPECT_EQ(inodeOf(target), before) << "the file was replaced, not written in place";
    EXPECT_EQ(readBytes(link), now) << "the two names no longer share the file";
}

INSTANTIATE_TEST_SUITE_P(EveryStep, InPlaceFailure, ::testing::Values(
    InPlaceFault{"OpenDenied", {FileStep::Open, EACCES, -1, 2}, "File access denied", Left::OldFile},
    InPlaceFault{"WriteMediumError", {FileStep::WriteAt, EIO}, "I/O error 5", Left::OldFile},
    InPlaceFault{"NothingWritten", {FileStep::WriteAt, 0, 0}, "Disk full", Left::OldFile},
    InPlaceFault{"ShortWriteGoesOn", {FileStep::WriteAt, 0, 1000}, "", Left::NewFile},
    InPlaceFault{"FlushMediumError", {FileStep::Fsync, EIO}, "I/O error 5", Left::NewRecord},
    InPlaceFault{"SizeUnknown", {FileStep::Fstat, EIO}, "I/O error 5", Left::NewRecord},
    InPlaceFault{"CutMediumError", {FileStep::Truncate, EIO}, "I/O error 5", Left::NewRecord},
    InPlaceFault{"CutFlushMediumError", {FileStep::Fsync, EIO, -1, 2}, "I/O error 5", Left::NewRecord},
    InPlaceFault{"CloseMediumError", {FileStep::Close, EIO, -1, 2}, "I/O error 5", Left::NewFile},
    InPlaceFault{"FileSystemUnknown", {FileStep::FileSystemType, EIO}, "", Left::NewFile},
    InPlaceFault{"LeftoversUnlisted", {FileStep::ListFolder, EIO}, "", Left::NewFile}));

// Failures of the temporary file or of the rename after which an existing
// file is written in place: it keeps its inode, and no temporary stays.
TEST(InPlaceSave, TakesOverWhenTheReplacementCannotBeMade)
{
    const FileFault triggers[] = {
        {FileStep::CreateNew, EACCES}, {FileStep::CreateNew, EPERM},  {FileStep::CreateNew, EROFS},
        {FileStep::CreateNew, ENOSPC}, {FileStep::CreateNew, EDQUOT}, {FileStep::CreateNew, ENAMETOOLONG},
        {FileStep::Write, ENOSPC},     {FileStep::Fsync, EDQUOT},     {FileStep::Rename, EPERM},
    };
    for (const FileFault& trigger : triggers) {
        SCOPED_TRACE(std::string(stepName(trigger.step)) + " errno " + std::to_string(trigger.error));
        TempFolder folder;
        const std::string target = folder.file("unit.cfg");
        writeBytes(target, kOldContent);
        const ino_t before = inodeOf(target);
        FaultyFileApi files;
        files.inject(trigger);
        saveFileSafely(files, target, kNewContent);
        EXPECT_EQ(readBytes(target), kNewContent);
        EXPECT_EQ(inodeOf(target), before);
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
    }
}

} // namespace
} // namespace ostra::test
