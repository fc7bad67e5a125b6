#include "platform/FileTail.h"

#include <fcntl.h>

#include <cerrno>

#include "platform/FilePath.h"
#include "platform/InOutError.h"

namespace ostra {

namespace {

constexpr std::size_t kChunk = 64 * 1024;

bool longerThan(FileApi& files, const std::string& path, std::size_t offset)
{
    struct stat status {};
    return !files.stat(path, status).failed() && S_ISREG(status.st_mode)
           && static_cast<std::size_t>(status.st_size) > offset;
}

// Reads to the end of the file, dropping the first `skip` bytes; short
// reads are taken as they come.
std::vector<std::uint8_t> readAfter(FileApi& files, int fd, std::size_t skip)
{
    std::vector<std::uint8_t> tail;
    std::vector<std::uint8_t> chunk(kChunk);
    std::size_t position = 0;
    for (;;) {
        const FileResult delivered = files.read(fd, chunk.data(), chunk.size());
        if (delivered.failed())
            throw inOutErrorFromErrno(delivered.error);
        const auto count = static_cast<std::size_t>(delivered.value);
        if (count == 0)
            return tail;
        if (position + count > skip) {
            const std::size_t from = position >= skip ? 0 : skip - position;
            tail.insert(tail.end(), chunk.begin() + static_cast<std::ptrdiff_t>(from),
                        chunk.begin() + static_cast<std::ptrdiff_t>(count));
        }
        position += count;
    }
}

} // namespace

std::vector<std::uint8_t> readFileBeyond(FileApi& files, const std::string& path, std::size_t offset)
{
    if (!longerThan(files, path, offset))
        return {};
    const FileResult opened = files.open(path, O_RDONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK, 0);
    if (opened.failed())
        throw pathError(files, path, opened.error);
    OpenFile file(files, static_cast<int>(opened.value));
    std::vector<std::uint8_t> tail = readAfter(files, file.fd(), offset);
    file.closeChecked();
    return tail;
}

} // namespace ostra
