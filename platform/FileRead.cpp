#include "platform/FileRead.h"

#include <cerrno>
#include <fcntl.h>

#include "platform/FilePath.h"
#include "platform/InOutError.h"

namespace ostra {

namespace {

int accessFlag(FileAccess access)
{
    switch (access) {
    case FileAccess::ReadWrite:
    case FileAccess::ReadWriteOrReadOnly: return O_RDWR;
    case FileAccess::ReadOnly: return O_RDONLY;
    }
    return O_RDWR;
}

} // namespace

int fileHeadOpenFlags(FileAccess access)
{
    // O_NONBLOCK: a pipe that nobody writes reports EAGAIN (read-write) or
    // an empty read (read-only) instead of hanging the editor; regular files
    // ignore it.
    return accessFlag(access) | O_NOCTTY | O_CLOEXEC | O_NONBLOCK;
}

bool isWriteRefusal(int errorNumber)
{
    return errorNumber == EROFS || errorNumber == EACCES || errorNumber == EPERM;
}

FileAccess readFileHead(FileApi& files, const std::string& path, std::span<std::uint8_t> buffer, FileAccess access)
{
    FileAccess openedFor = FileAccess::ReadWrite;
    const FileResult opened = openFileHead(access, [&](int flags) {
        openedFor = (flags & O_ACCMODE) == O_RDONLY ? FileAccess::ReadOnly : FileAccess::ReadWrite;
        return files.open(path, flags, 0);
    });
    if (opened.failed())
        throw pathError(files, path, opened.error);
    OpenFile file(files, static_cast<int>(opened.value));
    readOpenFileHead(files, file, buffer);
    return openedFor;
}

void readOpenFileHead(FileApi& files, OpenFile& file, std::span<std::uint8_t> buffer)
{
    const FileResult delivered = files.read(file.fd(), buffer.data(), buffer.size());
    if (delivered.failed())
        throw inOutErrorFromErrno(delivered.error);
    if (static_cast<std::size_t>(delivered.value) < buffer.size())
        throw EInOutError(InOutErrorCode::ReadBeyondEndOfFile);

    file.closeChecked();
}

} // namespace ostra
