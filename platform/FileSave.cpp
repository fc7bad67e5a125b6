#include "platform/FileSave.h"

#include <cerrno>
#include <fcntl.h>
#include <random>

#include "platform/FilePath.h"
#include "platform/InOutError.h"

namespace ostra {

namespace {

constexpr int kWriteFlags = O_RDWR | O_NOCTTY | O_CLOEXEC;
constexpr int kTemporaryNameAttempts = 100;

struct SaveTarget {
    std::string path; // with symbolic links resolved, so a link stays a link
    bool exists = false;
    struct stat status {};
};

// The checks made before anything is written: the target must be writable
// if it exists, and its folder must exist if it does not.
SaveTarget checkSaveTarget(FileApi& files, const std::string& path)
{
    SaveTarget target{path};
    const FileResult found = files.stat(path, target.status);
    if (found.failed()) {
        if (found.error == ENOENT && folderExists(files, folderOf(path)))
            return target;
        throw pathError(files, path, found.error);
    }
    target.exists = true;
    if (S_ISDIR(target.status.st_mode))
        throw EInOutError(InOutErrorCode::FileAccessDenied);

    // O_NONBLOCK keeps the probe of a pipe or a device from waiting.
    const FileResult probe = files.open(path, kWriteFlags | O_NONBLOCK, 0);
    if (probe.failed())
        throw pathError(files, path, probe.error);
    OpenFile(files, static_cast<int>(probe.value)).closeQuietly();

    std::string resolved;
    if (!files.realPath(path, resolved).failed())
        target.path = resolved;
    return target;
}

void writeWhole(FileApi& files, int fd, std::span<const std::uint8_t> bytes)
{
    const FileResult written = files.write(fd, bytes.data(), bytes.size());
    if (written.failed())
        throw inOutErrorFromErrno(written.error);
    if (static_cast<std::size_t>(written.value) < bytes.size())
        throw EInOutError(InOutErrorCode::DiskFull);
}

void flushFile(FileApi& files, int fd)
{
    const FileResult flushed = files.fsync(fd);
    if (flushed.failed())
        throw inOutErrorFromErrno(flushed.error);
}

void writeInPlace(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes,
                  bool flush)
{
    const FileResult opened = files.open(path, kWriteFlags | O_CREAT | O_TRUNC, 0666);
    if (opened.failed())
        throw pathError(files, path, opened.error);
    OpenFile file(files, static_cast<int>(opened.value));
    writeWhole(files, file.fd(), bytes);
    if (flush)
        flushFile(files, file.fd());
    file.closeChecked();
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

    void renameOver(const std::string& target)
    {
        const FileResult renamed = files_.rename(path_, target);
        if (renamed.failed())
            throw inOutErrorFromErrno(renamed.error);
        renamed_ = true;
    }

private:
    FileApi& files_;
    std::string path_;
    OpenFile file_;
    bool renamed_ = false;
};

std::string temporaryName(const std::string& folder)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::random_device random;
    std::string name = folder + "/.ostra-";
    for (unsigned bits = random(), i = 0; i < 8; ++i, bits >>= 4)
        name += kDigits[bits & 0xF];
    return name + ".tmp";
}

// Creates a new file next to the target under a name nobody uses. A new
// target gets the usual creation mode; a replacement starts private and
// receives the old file's bits later.
FileResult createTemporary(FileApi& files, const std::string& folder, mode_t mode, std::string& path)
{
    FileResult created{-1, EEXIST};
    for (int attempt = 0; attempt < kTemporaryNameAttempts && created.error == EEXIST; ++attempt) {
        path = temporaryName(folder);
        created = files.open(path, kWriteFlags | O_CREAT | O_EXCL, mode);
    }
    return created;
}

// Owner and permission bits of the replaced file. File systems without them
// (FAT cards) refuse; the content matters more, so a refusal is no error.
void copyOwnerAndMode(FileApi& files, int fd, const struct stat& old)
{
    files.fchown(fd, old.st_uid, old.st_gid);
    files.fchmod(fd, old.st_mode & 07777);
}

// Makes the rename itself durable. File systems that cannot flush a folder
// say EINVAL; a folder that cannot be opened leaves nothing to flush.
void flushFolder(FileApi& files, const std::string& folder)
{
    const FileResult opened = files.open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (opened.failed())
        return;
    OpenFile handle(files, static_cast<int>(opened.value));
    const FileResult flushed = files.fsync(handle.fd());
    if (flushed.failed() && flushed.error != EINVAL && flushed.error != EOPNOTSUPP)
        throw inOutErrorFromErrno(flushed.error);
}

bool refusesNewFile(int errorNumber)
{
    return errorNumber == EACCES || errorNumber == EPERM || errorNumber == EROFS;
}

} // namespace

void saveFileSafely(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes)
{
    const SaveTarget target = checkSaveTarget(files, path);
    if (target.exists && !S_ISREG(target.status.st_mode))
        return writeInPlace(files, target.path, bytes, false);

    const std::string folder = folderOf(target.path);
    std::string temporaryPath;
    const FileResult created = createTemporary(files, folder, target.exists ? 0600 : 0666, temporaryPath);
    if (created.failed()) {
        if (target.exists && refusesNewFile(created.error))
            return writeInPlace(files, target.path, bytes, true);
        throw pathError(files, target.path, created.error);
    }

    TemporaryFile temporary(files, temporaryPath, static_cast<int>(created.value));
    writeWhole(files, temporary.fd(), bytes);
    if (target.exists)
        copyOwnerAndMode(files, temporary.fd(), target.status);
    flushFile(files, temporary.fd());
    temporary.closeChecked();
    temporary.renameOver(target.path);
    flushFolder(files, folder);
}

} // namespace ostra
