#include "platform/FileSave.h"

#include <linux/msdos_fs.h>
#include <sys/stat.h>
#include <sys/time.h>

#include <algorithm>
#include <cerrno>
#include <gtest/gtest.h>

#include "platform/InOutError.h"
#include "platform/files/FaultyFileApi.h"
#include "platform/files/FileTestSupport.h"

namespace ostra::test {
namespace {

using Names = std::vector<std::string>;
using Steps = std::vector<FileStep>;

constexpr long kFatMagic = 0x4d44;
constexpr long kExfatMagic = 0x2011BAB0;
const Bytes kOldContent = patternBytes(3000, 1);
const Bytes kNewContent = patternBytes(2048, 4);

// unit.cfg in a folder of its own, holding the old content unless it is to
// be a new file, saved through a file layer that takes the folder for one
// on the file system of magic (0: whatever it really is).
struct CardFolder {
    explicit CardFolder(long magic, bool withOldFile = true)
    {
        if (withOldFile)
            writeBytes(target, kOldContent);
        if (magic != 0)
            files.pretendFileSystem(magic);
    }
    TempFolder folder;
    std::string target = folder.file("unit.cfg");
    FaultyFileApi files;
};

// The requests from the temporary's write on, by name.
std::string fromTheWrite(const Steps& log)
{
    std::string names;
    for (auto step = std::ranges::find(log, FileStep::Write); step != log.end(); ++step)
        names += std::string(stepName(*step)) + " ";
    return names;
}

// On FAT and exFAT each step of a save is made durable in a flush of its own. The
// folder is flushed between the temporary's write and its own flush, so
// that the allocation table holds its clusters before any entry names
// them. Over an existing file the folder then goes before the target, and
// the old file, held open all along, is closed only after the target's
// entry is durable, followed by a flush of its own. A new file has no old
// clusters, and its target goes first: the folder's flush would otherwise
// make an empty entry of the new name durable.
TEST(FatSave, FlushesEachStepOnItsOwn)
{
    struct Case {
        const char* name;
        bool targetExists;
        const char* expected;
    };
    const Case cases[] = {
        {"over an old file", true,
         "Write OpenFolder FsyncFolder CloseFolder Fsync CloseNew Rename "
         "OpenFolder FsyncFolder CloseFolder Open Fsync Close Close OpenFolder FsyncFolder CloseFolder "},
        {"a new file", false,
         "Write OpenFolder FsyncFolder CloseFolder Fsync CloseNew Rename "
         "Open Fsync Close OpenFolder FsyncFolder CloseFolder "},
    };
    for (const long magic : {kFatMagic, kExfatMagic})
    for (const Case& row : cases) {
        SCOPED_TRACE(std::string(row.name) + (magic == kFatMagic ? " on FAT" : " on exFAT"));
        auto [folder, target, files] = CardFolder(magic, row.targetExists);
        saveFileSafely(files, target, kNewContent);
        EXPECT_EQ(fromTheWrite(files.log()), row.expected);
        EXPECT_EQ(readBytes(target), kNewContent);
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
        EXPECT_EQ(files.openDescriptors(), 0u);
    }
}

// A failing flush on the way is reported; before the rename it leaves the
// old file and no temporary, after it the new file.
TEST(FatSave, ReportsAFailingFlushAndKeepsOneWholeFile)
{
    struct Case {
        const char* name;
        FileFault fault;
        const Bytes& left;
    };
    const Case cases[] = {
        {"the allocation's flush", {FileStep::FsyncFolder, EIO, -1, 1}, kOldContent},
        {"the temporary's flush", {FileStep::Fsync, EIO, -1, 1}, kOldContent},
        {"the folder's flush after the rename", {FileStep::FsyncFolder, EIO, -1, 2}, kNewContent},
        {"the flush after the old file's release", {FileStep::FsyncFolder, EIO, -1, 3}, kNewContent},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        auto [folder, target, files] = CardFolder(kFatMagic);
        files.inject(row.fault);
        EXPECT_EQ(saveMessage(files, target, kNewContent), "I/O error 5");
        EXPECT_EQ(readBytes(target), row.left);
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
        EXPECT_EQ(files.openDescriptors(), 0u);
    }
}

// A replaced file keeps its hidden and system marks; where the kernel
// refuses to give the system mark (an unprivileged user), the file is
// written in place and keeps them that way.
TEST(FatSave, KeepsTheHiddenAndSystemMarks)
{
    struct Case {
        const char* name;
        std::uint32_t oldAttributes;
        int setError;
        std::uint32_t expectedSet; // 0: no marks given
        bool replaced;
    };
    const Case cases[] = {
        {"plain", ATTR_ARCH, 0, 0, true},
        {"hidden", ATTR_ARCH | ATTR_HIDDEN, 0, ATTR_HIDDEN, true},
        {"system, privileged", ATTR_SYS | ATTR_HIDDEN, 0, ATTR_SYS | ATTR_HIDDEN, true},
        {"system, refused", ATTR_SYS, EPERM, 0, false},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        auto [folder, target, files] = CardFolder(kFatMagic);
        struct stat before {};
        ASSERT_EQ(::stat(target.c_str(), &before), 0);
        files.pretendFatAttributes(row.oldAttributes);
        if (row.setError != 0)
            files.inject({FileStep::SetFatAttributes, row.setError});

        saveFileSafely(files, target, kNewContent);

        EXPECT_EQ(readBytes(target), kNewContent);
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
        if (row.setError == 0) {
            EXPECT_EQ(files.attributesSet(), row.expectedSet);
        }
        struct stat after {};
        ASSERT_EQ(::stat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino != before.st_ino, row.replaced);
    }
}

// Leftovers of killed saves go with the next save, except on FAT those
// whose bytes a configuration file of the folder holds too: after a power
// cut they may share its clusters, and removing them would free the live
// file's. A saved file that may share them is written in place, which
// frees nothing. (Leftovers on a tmpfs have no card attach time, so any of
// them may come from a power cut here.)
TEST(FatSave, KeepsALeftoverThatMayShareALiveFilesClusters)
{
    struct Case {
        const char* name;
        long magic;
        const Bytes& leftover;
        bool kept;
        bool savedInPlace;
    };
    const Bytes other = patternBytes(3000, 9);
    const Bytes sameSizeOther = patternBytes(2048, 9);
    const Case cases[] = {
        {"FAT, the bytes of another .cfg", kFatMagic, kNewContent, true, false},
        {"FAT, the bytes of the saved file", kFatMagic, kOldContent, true, true},
        {"exFAT, the bytes of the saved file", kExfatMagic, kOldContent, true, true},
        {"FAT, bytes of its own", kFatMagic, other, false, false},
        {"FAT, another .cfg's size but not its bytes", kFatMagic, sameSizeOther, false, false},
        {"elsewhere, the bytes of the saved file", 0, kOldContent, false, false},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        auto [folder, target, files] = CardFolder(row.magic);
        writeBytes(folder.file("OTHER.CFG"), kNewContent);
        struct stat before {};
        ASSERT_EQ(::stat(target.c_str(), &before), 0);
        const std::string leftover = folder.file(".ostra-0123abcd.tmp");
        writeBytes(leftover, row.leftover);
        const struct timeval longAgo[2] = {{1000000000, 0}, {1000000000, 0}};
        ASSERT_EQ(::utimes(leftover.c_str(), longAgo), 0);

        saveFileSafely(files, target, sameSizeOther);

        const Names expected = row.kept ? Names{".ostra-0123abcd.tmp", "OTHER.CFG", "unit.cfg"}
                                        : Names{"OTHER.CFG", "unit.cfg"};
        EXPECT_EQ(folder.entries(), expected);
        EXPECT_EQ(readBytes(folder.file("OTHER.CFG")), kNewContent);
        EXPECT_EQ(readBytes(target), sameSizeOther);
        struct stat after {};
        ASSERT_EQ(::stat(target.c_str(), &after), 0);
        EXPECT_EQ(after.st_ino == before.st_ino, row.savedInPlace);
    }
}

// A card's folder that lists the saved file's name twice (a torn rename on
// exFAT) loses the entry the kernel finds before the save, so that no
// second entry of the name outlives it; elsewhere the listing is left
// alone. A removal that fails is reported and keeps the old file.
TEST(FatSave, RemovesASecondEntryOfTheSavedName)
{
    struct Case {
        const char* name;
        long magic;
        std::optional<FileFault> fault;
        int renames;
        const char* message;
        const Bytes& left;
    };
    const Case cases[] = {
        {"exFAT", kExfatMagic, std::nullopt, 2, "", kNewContent},
        {"FAT", kFatMagic, std::nullopt, 2, "", kNewContent},
        {"elsewhere", 0, std::nullopt, 1, "", kNewContent},
        {"exFAT, the move away refused", kExfatMagic, FileFault{FileStep::Rename, EACCES}, 1, "File access denied",
         kOldContent},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        auto [folder, target, files] = CardFolder(row.magic);
        files.pretendListedTwice("UNIT.CFG");
        if (row.fault)
            files.inject(*row.fault);

        EXPECT_EQ(saveMessage(files, target, kNewContent), row.message);
        EXPECT_EQ(files.count(FileStep::Rename), row.renames);
        EXPECT_EQ(readBytes(target), row.left);
        EXPECT_EQ(folder.entries(), Names{"unit.cfg"});
        const Steps& log = files.log();
        if (row.renames == 2) {
            EXPECT_LT(std::ranges::find(log, FileStep::Unlink) - log.begin(),
                      std::ranges::find(log, FileStep::CreateNew) - log.begin())
                << "the second entry goes before the save";
        }
    }
}

} // namespace
} // namespace ostra::test
