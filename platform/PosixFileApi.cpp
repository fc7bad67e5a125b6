#include "platform/FileApi.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "platform/InOutError.h"

namespace ostra {

namespace {

// Runs one system call, retrying while a signal interrupts it.
template <typename Call>
FileResult posixCall(Call call)
{
    for (;;) {
        const long long value = call();
        if (value >= 0)
            return {value, 0};
        if (errno != EINTR)
            return {value, errno};
    }
}

class PosixFileApi final : public FileApi {
public:
    FileResult open(const std::string& path, int flags, mode_t mode) override
    {
        return posixCall([&] { return ::open(path.c_str(), flags, mode); });
    }
    FileResult read(int fd, void* buffer, std::size_t count) override
    {
        return posixCall([&] { return ::read(fd, buffer, count); });
    }
    FileResult write(int fd, const void* buffer, std::size_t count) override
    {
        return posixCall([&] { return ::write(fd, buffer, count); });
    }
    FileResult fsync(int fd) override
    {
        return posixCall([&] { return ::fsync(fd); });
    }
    FileResult close(int fd) override
    {
        // Linux releases the descriptor even when close reports EINTR, so
        // it is never retried.
        const int result = ::close(fd);
        return {result, result < 0 ? errno : 0};
    }
    FileResult stat(const std::string& path, struct stat& status) override
    {
        return posixCall([&] { return ::stat(path.c_str(), &status); });
    }
    FileResult fchmod(int fd, mode_t mode) override
    {
        return posixCall([&] { return ::fchmod(fd, mode); });
    }
    FileResult fchown(int fd, uid_t owner, gid_t group) override
    {
        return posixCall([&] { return ::fchown(fd, owner, group); });
    }
    FileResult rename(const std::string& from, const std::string& to) override
    {
        return posixCall([&] { return std::rename(from.c_str(), to.c_str()); });
    }
    FileResult unlink(const std::string& path) override
    {
        return posixCall([&] { return ::unlink(path.c_str()); });
    }
    FileResult realPath(const std::string& path, std::string& resolved) override
    {
        char* absolute = ::realpath(path.c_str(), nullptr);
        if (absolute == nullptr)
            return {-1, errno};
        resolved = absolute;
        std::free(absolute);
        return {};
    }
};

} // namespace

FileApi::~FileApi() = default;

FileApi& systemFileApi()
{
    static PosixFileApi files;
    return files;
}

OpenFile::~OpenFile()
{
    closeQuietly();
}

void OpenFile::closeQuietly()
{
    if (fd_ >= 0)
        files_.close(fd_);
    fd_ = -1;
}

void OpenFile::closeChecked()
{
    const int fd = fd_;
    fd_ = -1;
    const FileResult result = files_.close(fd);
    if (result.failed())
        throw EInOutError::platformError(result.error);
}

} // namespace ostra
