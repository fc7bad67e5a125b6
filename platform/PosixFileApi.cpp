#include "platform/FileApi.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <memory>
#include <string_view>

#include "platform/InOutError.h"
#include "platform/PosixCall.h"

namespace ostra {

namespace {

class PosixFileApi final : public FileApi {
public:
    FileResult open(const std::string& path, int flags, mode_t mode) override
    {
        return posixCall([&] { return ::open(path.c_str(), flags, mode); });
    }
    FileResult openAt(int folderFd, const std::string& name, int flags) override
    {
        return posixCall([&] { return ::openat(folderFd, name.c_str(), flags); });
    }
    FileResult read(int fd, void* buffer, std::size_t count) override
    {
        return posixCall([&] { return ::read(fd, buffer, count); });
    }
    FileResult write(int fd, const void* buffer, std::size_t count) override
    {
        return posixCall([&] { return ::write(fd, buffer, count); });
    }
    FileResult pwrite(int fd, const void* buffer, std::size_t count, off_t offset) override
    {
        return posixCall([&] { return ::pwrite(fd, buffer, count, offset); });
    }
    FileResult ftruncate(int fd, off_t length) override
    {
        return posixCall([&] { return ::ftruncate(fd, length); });
    }
    FileResult fsync(int fd) override
    {
        return posixCall([&] { return ::fsync(fd); });
    }
    FileResult close(int fd) override
    {
        // Never retried: Linux releases the descriptor even when close
        // reports EINTR, and by then its number may name a file another
        // thread has opened. Yet EINTR stays a failure: what the signal cut
        // short may be the file system's last flush of written data (NFS,
        // FUSE), so the data may not have reached the file, and a save
        // must not be reported done on that word.
        const int result = ::close(fd);
        return {result, result < 0 ? errno : 0};
    }
    FileResult stat(const std::string& path, struct stat& status) override
    {
        return posixCall([&] { return ::stat(path.c_str(), &status); });
    }
    FileResult lstat(const std::string& path, struct stat& status) override
    {
        return posixCall([&] { return ::lstat(path.c_str(), &status); });
    }
    FileResult fstat(int fd, struct stat& status) override
    {
        return posixCall([&] { return ::fstat(fd, &status); });
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
    FileResult readLink(const std::string& path, std::string& target) override
    {
        std::string text(256, '\0');
        for (;;) {
            const ssize_t length = ::readlink(path.c_str(), text.data(), text.size());
            if (length < 0)
                return {-1, errno};
            if (static_cast<std::size_t>(length) < text.size()) {
                text.resize(static_cast<std::size_t>(length));
                target = std::move(text);
                return {};
            }
            text.resize(text.size() * 2);
        }
    }
    FileResult fileSystemType(const std::string& path, long& magic) override
    {
        struct statfs status {};
        const FileResult result = posixCall([&] { return ::statfs(path.c_str(), &status); });
        if (!result.failed())
            magic = static_cast<long>(status.f_type);
        return result;
    }
    FileResult listFolder(const std::string& folder, std::vector<FolderEntry>& entries) override
    {
        const std::unique_ptr<DIR, int (*)(DIR*)> handle(::opendir(folder.c_str()), ::closedir);
        if (!handle)
            return {-1, errno};
        entries.clear();
        errno = 0;
        while (const dirent* entry = ::readdir(handle.get())) {
            const std::string_view name = entry->d_name;
            if (name != "." && name != "..")
                entries.push_back({std::string(name), entry->d_type});
            errno = 0;
        }
        return {errno == 0 ? 0 : -1, errno};
    }
    FileResult fatAttributes(int fd, std::uint32_t& attributes) override
    {
        // A failed request may still have written into its buffer (FUSE
        // does), so only a successful one is passed on.
        std::uint32_t answer = 0;
        const FileResult result = posixCall([&] { return ::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &answer); });
        if (!result.failed())
            attributes = answer;
        return result;
    }
    FileResult setFatAttributes(int fd, std::uint32_t attributes) override
    {
        return posixCall([&] { return ::ioctl(fd, FAT_IOCTL_SET_ATTRIBUTES, &attributes); });
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
