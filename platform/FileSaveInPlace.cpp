#include "platform/FileSaveInPlace.h"

#include <fcntl.h>

#include "platform/FilePath.h"
#include "platform/InOutError.h"

namespace ostra {

namespace {

void checkTransfer(const FileResult& written, std::size_t expected)
{
    if (written.failed())
        throw inOutErrorFromErrno(written.error);
    if (static_cast<std::size_t>(written.value) < expected)
        throw EInOutError(InOutErrorCode::DiskFull);
}

// Writes bytes at offset 0, going on after a short transfer as POSIX asks;
// a transfer that moves nothing means the medium is full.
void writeAllAt(FileApi& files, int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t rest = bytes.size() - done;
        const FileResult written = files.pwrite(fd, bytes.data() + done, rest, static_cast<off_t>(done));
        if (written.failed())
            throw inOutErrorFromErrno(written.error);
        if (written.value == 0)
            throw EInOutError(InOutErrorCode::DiskFull);
        done += static_cast<std::size_t>(written.value);
    }
}

void writeRegularInPlace(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes)
{
    const FileResult opened = files.open(path, O_RDWR | O_NOCTTY | O_CLOEXEC, 0);
    if (opened.failed())
        throw pathError(files, path, opened.error);
    OpenFile file(files, static_cast<int>(opened.value));

    writeAllAt(files, file.fd(), bytes);
    flushFile(files, file.fd());

    struct stat written {};
    const FileResult measured = files.fstat(file.fd(), written);
    if (measured.failed())
        throw inOutErrorFromErrno(measured.error);
    const auto length = static_cast<off_t>(bytes.size());
    if (written.st_size > length) {
        const FileResult cut = files.ftruncate(file.fd(), length);
        if (cut.failed())
            throw inOutErrorFromErrno(cut.error);
        flushFile(files, file.fd());
    }
    file.closeChecked();
}

void writeSpecialInPlace(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes)
{
    const FileResult opened = files.open(path, O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0);
    if (opened.failed())
        throw pathError(files, path, opened.error);
    OpenFile file(files, static_cast<int>(opened.value));
    writeWhole(files, file.fd(), bytes);
    file.closeChecked();
}

} // namespace

void writeWhole(FileApi& files, int fd, std::span<const std::uint8_t> bytes)
{
    checkTransfer(files.write(fd, bytes.data(), bytes.size()), bytes.size());
}

void flushFile(FileApi& files, int fd)
{
    const FileResult flushed = files.fsync(fd);
    if (flushed.failed())
        throw inOutErrorFromErrno(flushed.error);
}

void writeInPlace(FileApi& files, const std::string& path, const struct stat& status,
                  std::span<const std::uint8_t> bytes)
{
    if (S_ISREG(status.st_mode))
        writeRegularInPlace(files, path, bytes);
    else
        writeSpecialInPlace(files, path, bytes);
}

} // namespace ostra
