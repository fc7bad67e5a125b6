#include "platform/FileSave.h"

#include <unistd.h>

#include <cerrno>
#include <fcntl.h>
#include <linux/msdos_fs.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "platform/FilePath.h"
#include "platform/FileSaveInPlace.h"
#include "platform/FileSaveLeftovers.h"
#include "platform/FileSaveTarget.h"
#include "platform/InOutError.h"
#include "platform/MediumAttachTime.h"

namespace ostra {

namespace {

constexpr int kCreateFlags = O_RDWR | O_NOCTTY | O_CLOEXEC | O_CREAT | O_EXCL;
constexpr int kTemporaryNameAttempts = 100;

// statfs(2) magic numbers of the file systems that cards carry.
constexpr long kMsdosSuperMagic = 0x4d44;
constexpr long kExfatSuperMagic = 0x2011BAB0;

enum class Replacement { Done, WriteInPlaceInstead };

// Cards: the file systems whose crash behaviour a save plans for. On FAT
// the kernel flushes a file's directory entry, the file allocation table
// and the folder only when asked, each in its own request, and a card's
// cache may keep any of those writes and lose the others. On exFAT any
// flush writes all of the card's changed entries and tables at once, so the
// same order of flushes holds there as well. After a power cut a leftover
// on either may share clusters with a live file.
bool isOnCard(FileApi& files, const std::string& path)
{
    long magic = 0;
    if (files.fileSystemType(path, magic).failed())
        return false; // unknown: the rename path is safe everywhere
    return magic == kMsdosSuperMagic || magic == kExfatSuperMagic;
}

// Targets whose directory entry must stay as it is. A pipe or a device
// cannot be replaced, and a rename would split a file with several hard
// links in two.
bool keepsItsDirectoryEntry(const SaveTarget& target)
{
    return !S_ISREG(target.status.st_mode) || target.status.st_nlink > 1;
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

// The FAT marks a replacement carries over: a hidden or a system file
// stays one. (Read-only follows the permission bits.)
constexpr std::uint32_t kCarriedFatAttributes = ATTR_HIDDEN | ATTR_SYS;

// Gives the replacement the old file's hidden and system marks. The
// kernel lets only a privileged user mark a system file, so for others
// such a file can only keep its marks by being written in place.
bool takeOverFatAttributes(FileApi& files, int oldFd, int newFd)
{
    std::uint32_t old = 0;
    if (files.fatAttributes(oldFd, old).failed())
        return true; // no marks to keep
    const std::uint32_t carried = old & kCarriedFatAttributes;
    if (carried == 0)
        return true;
    std::uint32_t created = 0;
    return !files.fatAttributes(newFd, created).failed() && !files.setFatAttributes(newFd, created | carried).failed();
}

// The error number of flushing the file or folder open at fd, 0 when it
// succeeded; file systems that cannot flush a folder say EINVAL.
int flushError(FileApi& files, int fd)
{
    const FileResult flushed = files.fsync(fd);
    return flushed.error == EINVAL || flushed.error == EOPNOTSUPP ? 0 : flushed.error;
}

// The error number of flushing the file or folder at path, 0 when it
// succeeded; one that cannot be opened leaves nothing to flush.
int flushByNameError(FileApi& files, const std::string& path, int openFlags)
{
    const FileResult opened = files.open(path, openFlags | O_CLOEXEC, 0);
    if (opened.failed())
        return 0;
    OpenFile handle(files, static_cast<int>(opened.value));
    return flushError(files, handle.fd());
}

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY;
constexpr int kFileFlags = O_RDONLY | O_NOCTTY | O_NONBLOCK;

void flushByName(FileApi& files, const std::string& path, int openFlags)
{
    if (const int failure = flushByNameError(files, path, openFlags))
        throw inOutErrorFromErrno(failure);
}

// The error number of writing and flushing the temporary file, 0 when both
// succeeded; a short write counts as a full medium.
//
// On a card the folder is flushed between the write and the file's own
// flush.
// The write took the file's clusters in the allocation table, and the
// folder's flush makes that durable while the temporary's entry on the
// card still names no cluster; only then does the file's flush write the
// entry that points at them. Flushed together, a card's cache could keep
// the entry and lose the table's sectors, and the kernel refuses to delete
// an entry whose clusters the table calls free: it remounts the card
// read-only instead, failing the next save. (On exFAT the allocation
// bitmap plays the table's part.)
int writeTemporary(FileApi& files, int fd, std::span<const std::uint8_t> bytes, const std::string& folder,
                   bool onCard)
{
    const FileResult written = files.write(fd, bytes.data(), bytes.size());
    if (written.failed())
        return written.error;
    if (static_cast<std::size_t>(written.value) < bytes.size())
        return ENOSPC;
    if (onCard)
        if (const int failure = flushByNameError(files, folder, kFolderFlags))
            return failure;
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

// Makes a finished rename durable: the target's own data and entry, then
// the folder that holds the entry.
void flushRename(FileApi& files, const std::string& target, const std::string& folder)
{
    flushByName(files, target, kFileFlags);
    flushByName(files, folder, kFolderFlags);
}

// Makes a finished rename over an existing file on a card durable, one
// step a flush. The folder goes first, so that the temporary's entry is
// gone from the card before the target's entry names the new clusters:
// flushed the other way round, a crash could leave both entries sharing
// the clusters, and removing the leftover would free the live file's. Then
// the target's entry. The old file was held open until then, so the kernel frees its
// clusters only now, and the last flush makes that durable: no crash
// leaves the entry pointing at clusters already freed.
void flushRenameOnCard(FileApi& files, const std::string& target, const std::string& folder, OpenFile& oldFile)
{
    flushByName(files, folder, kFolderFlags);
    flushByName(files, target, kFileFlags);
    oldFile.closeQuietly();
    flushByName(files, folder, kFolderFlags);
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
    flushByName(files, folderOf(path), kFolderFlags);
}

Replacement replaceThroughTemporary(FileApi& files, const SaveTarget& target, std::span<const std::uint8_t> bytes,
                                    bool onCard)
{
    const std::string folder = folderOf(target.path);
    // On a card the old file stays open until the new one's entry is durable.
    std::optional<OpenFile> oldFile;
    if (target.exists && onCard) {
        const FileResult held = files.open(target.path, O_RDONLY | O_NOCTTY | O_CLOEXEC, 0);
        if (held.failed())
            return Replacement::WriteInPlaceInstead;
        oldFile.emplace(files, static_cast<int>(held.value));
    }

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
    if (oldFile && !takeOverFatAttributes(files, oldFile->fd(), temporary.fd()))
        return Replacement::WriteInPlaceInstead;
    if (const int failure = writeTemporary(files, temporary.fd(), bytes, folder, onCard)) {
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
    if (oldFile)
        flushRenameOnCard(files, target.path, folder, *oldFile);
    else
        flushRename(files, target.path, folder);
    return Replacement::Done;
}

// Whether a sweep of leftovers named the file at path as one a leftover
// may share clusters with.
bool sharesClustersWithALeftover(const std::vector<std::string>& sharing, const std::string& path)
{
    const std::string name = path.substr(path.find_last_of('/') + 1);
    return std::ranges::any_of(sharing, [&](const std::string& shared) { return sameNameOnCard(shared, name); });
}

// The time before which a power cut may have left the folder's leftovers
// damaged: on a card, when it was attached (any time, when unknown).
std::optional<std::time_t> crashesBefore(FileApi& files, const std::string& folder, bool onCard)
{
    if (!onCard)
        return std::nullopt;
    return mediumAttachedAt(files, folder).value_or(std::numeric_limits<std::time_t>::max());
}

} // namespace

void saveFileSafely(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes)
{
    SaveTarget target = findSaveTarget(files, path);
    const std::string folder = folderOf(target.path);
    const bool onCard = isOnCard(files, target.exists ? target.path : folder);
    if (target.exists && S_ISREG(target.status.st_mode) && onCard &&
        removeDuplicateEntries(files, target.path))
        target = findSaveTarget(files, path);
    bool sharesClusters = false;
    if (S_ISREG(target.status.st_mode) || !target.exists) {
        const std::vector<std::string> sharing =
            removeLeftoverTemporaries(files, folder, crashesBefore(files, folder, onCard));
        sharesClusters = sharesClustersWithALeftover(sharing, target.path);
    }
    // A file that may share its clusters with a leftover is written in
    // place: replacing it would free clusters the leftover still names.
    if (target.exists && (sharesClusters || keepsItsDirectoryEntry(target)))
        return writeInPlace(files, target.path, target.status, bytes);
    if (replaceThroughTemporary(files, target, bytes, onCard) == Replacement::WriteInPlaceInstead)
        writeInPlace(files, target.path, target.status, bytes);
}

} // namespace ostra
