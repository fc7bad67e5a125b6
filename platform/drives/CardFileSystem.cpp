#include "platform/drives/CardFileSystem.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <linux/msdos_fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/PosixCall.h"

namespace ostra {

namespace {

class SystemFiles final : public CardFileSystem {
public:
    FileResult OpenFolder(const std::string& folder) override
    {
        return posixCall([&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    }

    bool ListFolder(int folderFd, std::vector<FolderEntry>& entries) override
    {
        // The stream owns a copy of the descriptor, so that closing it leaves
        // the caller's open.
        const int copy = ::fcntl(folderFd, F_DUPFD_CLOEXEC, 0);
        if (copy < 0)
            return false;
        DIR* dir = ::fdopendir(copy);
        if (dir == nullptr) {
            ::close(copy);
            return false;
        }
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            const char* name = entry->d_name;
            if (std::strcmp(name, ".") != 0 && std::strcmp(name, "..") != 0)
                entries.push_back({name, entry->d_type});
            errno = 0;
        }
        const bool complete = errno == 0;
        ::closedir(dir);
        return complete;
    }

    FileResult Open(int folderFd, const std::string& name, int flags) override
    {
        return posixCall([&] { return ::openat(folderFd, name.c_str(), flags); });
    }

    FileResult Read(int fd, void* buffer, std::size_t count) override
    {
        return posixCall([&] { return ::read(fd, buffer, count); });
    }

    std::optional<std::uint32_t> FatAttributes(int fd) override
    {
        std::uint32_t attributes = 0;
        // A failed request may still have written into `attributes` (FUSE
        // does), so only a successful one counts.
        if (::ioctl(fd, FAT_IOCTL_GET_ATTRIBUTES, &attributes) != 0)
            return std::nullopt;
        return attributes;
    }

    FileResult FileType(int fd) override
    {
        struct stat status {};
        if (::fstat(fd, &status) != 0)
            return {-1, errno};
        return {static_cast<long long>(status.st_mode & S_IFMT), 0};
    }

    FileResult Close(int fd) override
    {
        // A close interrupted by a signal has released the descriptor on
        // Linux; retrying could close another file's.
        if (::close(fd) != 0 && errno != EINTR)
            return {-1, errno};
        return {0, 0};
    }
};

} // namespace

CardFileSystem::~CardFileSystem() = default;

CardFileSystem& SystemCardFileSystem()
{
    static SystemFiles files;
    return files;
}

} // namespace ostra
