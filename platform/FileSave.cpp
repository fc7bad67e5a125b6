#include "platform/FileSave.h"

#include <unistd.h>

#include <cerrno>
#include <fcntl.h>

#include "platform/FilePath.h"
#include "platform/FileSaveInPlace.h"
#include "platform/FileSaveLeftovers.h"
#include "platform/FileSaveTarget.h"
#include "platform/InOutError.h"

namespace ostra {

namespace {

constexpr int kCreateFlags = O_RDWR | O_NOCTTY | O_CLOEXEC | O_CREAT | O_EXCL;
constexpr int kTemporaryNameAttempts = 100;

// statfs(2) magic numbers of the file systems that cards carry.
constexpr long kMsdosSuperMagic = 0x4d44;
constexpr long kExfatSuperMagic = 0x2011BAB0;

enum class Replacement { Done, WriteInPlaceInstead };

bool onFatFileSystem(FileApi& files, const std::string& path)
{
    long magic = 0;
    if (files.fileSystemType(path, magic).failed())
        return false; // unknown: the rename path is safe everywhere
    return magic == kMsdosSuperMagic || magic == kExfatSuperMagic;
}

// Targets whose directory entry must stay as it is. On FAT, the kernel
// writes a renamed file's directory entry long after the folder's flush
// reports success, so a power cut after a rename loses the file; rewriting
// the clusters of an existing file in place survives it. A pipe or a
// device cannot be replaced, and a rename would split a file with several
// hard links in two.
bool keepsItsDirectoryEntry(FileApi& files, const SaveTarget& target)
{
    return !S_ISREG(target.status.st_mode) || target.status.st_nlink > 1 || onFatFileSystem(files, target.path);
}

// Failures of the temporary file after which an existing target is better
// written in place than not at all: the folder takes no new file, the
// medium has no room for a second copy, or the temporary name is too long.
bool temporaryRefused(int errorNumber)
{
    switch (errorNumber) {
    case EACCES: case EPERM: case EROFS: case ENOSPC: case EDQUOT: case ENAMETOOLONG:
        return true;
    default:
        return false;
    }
}

// A sticky folder lets a user write another user's file but not replace it.
bool renameRefused(int errorNumber)
{
    return errorNumber == EACCES || errorNumber == EPERM;
}

// A temporary file that is removed again unless it was renamed into place.
class TemporaryFile {
public:
    TemporaryFile(FileApi& files, std::string path, int fd)
        : files_(files), path_(std::move(path)), file_(files, fd) {}
    ~TemporaryFile()
    {
        file_.closeQuietly();
        if (!renamed_)
            files_.unlink(path_);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    int fd() const { return file_.fd(); }
    void closeChecked() { file_.closeChecked(); }

    FileResult renameOver(const std::string& target)
    {
        const FileResult renamed = files_.rename(path_, target);
        renamed_ = !renamed.failed();
        return renamed;
    }

private:
    FileApi& files_;
    std::string path_;
    OpenFile file_;
    bool renamed_ = false;
};

// Creates a new file next to the target under a name nobody uses. A new
// target gets the usual creation mode; a replacement starts private and
// receives the old file's bits later.
FileResult createTemporary(FileApi& files, const std::string& folder, mode_t mode, std::string& path)
{
    FileResult created{-1, EEXIST};
    for (int attempt = 0; attempt < kTemporaryNameAttempts && created.error == EEXIST; ++attempt) {
        path = temporaryName(folder);
        created = files.open(path, kCreateFlags, mode);
    }
    return created;
}

// The error number of writing and flushing the temporary file, 0 when both
// succeeded; a short write counts as a full medium.
int writeTemporary(FileApi& files, int fd, std::span<const std::uint8_t> bytes)
{
    const FileResult written = files.write(fd, bytes.data(), bytes.size());
    if (written.failed())
        return written.error;
    if (static_cast<std::size_t>(written.value) < bytes.size())
        return ENOSPC;
    return files.fsync(fd).error;
}

// Gives the replacement the old file's owner, group and permission bits.
// File systems without them refuse, which is no error as long as the new
// file shows the same owner and group anyway; otherwise the old file's
// identity can only be kept by writing it in place.
bool takeOverOwnerAndMode(FileApi& files, int fd, const struct stat& old)
{
    const bool ownerGiven = !files.fchown(fd, old.st_uid, old.st_gid).failed();
    files.fchmod(fd, old.st_mode & 07777);
    if (ownerGiven)
        return true;
    struct stat created {};
    return !files.fstat(fd, created).failed() && created.st_uid == old.st_uid && created.st_gid == old.st_gid;
}

// Flushes the file or folder at path; file systems that cannot flush a
// folder say EINVAL, and one that cannot be opened leaves nothing to flush.
void flushByName(FileApi& files, const std::string& path, int openFlags)
{
    const FileResult opened = files.open(path, openFlags | O_CLOEXEC, 0);
    if (opened.failed())
        return;
    OpenFile handle(files, static_cast<int>(opened.value));
    const FileResult flushed = files.fsync(handle.fd());
    if (flushed.failed() && flushed.error != EINVAL && flushed.error != EOPNOTSUPP)
        throw inOutErrorFromErrno(flushed.error);
}

// Makes a finished rename durable: the target's own data and entry, then
// the folder that holds the entry.
void flushRename(FileApi& files, const std::string& target, const std::string& folder)
{
    flushByName(files, target, O_RDONLY | O_NOCTTY | O_NONBLOCK);
    flushByName(files, folder, O_RDONLY | O_DIRECTORY);
}

// A new file whose temporary name would be too long is created under its
// own name: there is no old content to protect.
void createDirectly(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes)
{
    const FileResult created = files.open(path, kCreateFlags, 0666);
    if (created.failed())
        throw pathError(files, path, created.error);
    try {
        OpenFile file(files, static_cast<int>(created.value));
        writeWhole(files, file.fd(), bytes);
        flushFile(files, file.fd());
        file.closeChecked();
    } catch (const EInOutError&) {
        files.unlink(path);
        throw;
    }
    flushByName(files, folderOf(path), O_RDONLY | O_DIRECTORY);
}

Replacement replaceThroughTemporary(FileApi& files, const SaveTarget& target, std::span<const std::uint8_t> bytes)
{
    const std::string folder = folderOf(target.path);
    std::string temporaryPath;
    const FileResult created = createTemporary(files, folder, target.exists ? 0600 : 0666, temporaryPath);
    if (created.failed()) {
        if (target.exists && temporaryRefused(created.error))
            return Replacement::WriteInPlaceInstead;
        if (!target.exists && created.error == ENAMETOOLONG) {
            createDirectly(files, target.path, bytes);
            return Replacement::Done;
        }
        throw pathError(files, target.path, created.error);
    }

    TemporaryFile temporary(files, temporaryPath, static_cast<int>(created.value));
    if (target.exists && !takeOverOwnerAndMode(files, temporary.fd(), target.status))
        return Replacement::WriteInPlaceInstead;
    if (const int failure = writeTemporary(files, temporary.fd(), bytes)) {
        if (target.exists && temporaryRefused(failure))
            return Replacement::WriteInPlaceInstead;
        throw inOutErrorFromErrno(failure);
    }
    temporary.closeChecked();
    if (const FileResult renamed = temporary.renameOver(target.path); renamed.failed()) {
        if (target.exists && renameRefused(renamed.error))
            return Replacement::WriteInPlaceInstead;
        throw inOutErrorFromErrno(renamed.error);
    }
    flushRename(files, target.path, folder);
    return Replacement::Done;
}

} // namespace

void saveFileSafely(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes)
{
    const SaveTarget target = findSaveTarget(files, path);
    if (S_ISREG(target.status.st_mode) || !target.exists)
        removeLeftoverTemporaries(files, folderOf(target.path));
    if (target.exists && keepsItsDirectoryEntry(files, target))
        return writeInPlace(files, target.path, target.status, bytes);
    if (replaceThroughTemporary(files, target, bytes) == Replacement::WriteInPlaceInstead)
        writeInPlace(files, target.path, target.status, bytes);
}

} // namespace ostra
