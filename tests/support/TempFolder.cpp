#include "support/TempFolder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace ostra::test {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "ostra-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot create a temporary folder");
    ::chmod(pattern.c_str(), 0755);
    path_ = fs::canonical(pattern);
}

TempFolder::~TempFolder()
{
    removeTree(path_);
}

// A test that failed half-way may leave an immutable file behind, which
// even root cannot remove until the attribute is cleared; an ordinary user
// cannot empty a folder without write permission, so each folder gets it
// back before its entries go.
void removeTree(const fs::path& root)
{
    std::error_code ignored;
    ::chmod(root.c_str(), 0700);
    for (auto entry = fs::recursive_directory_iterator(root, ignored); entry != fs::recursive_directory_iterator();
         entry.increment(ignored)) {
        if (entry->is_directory(ignored) && !entry->is_symlink(ignored))
            ::chmod(entry->path().c_str(), 0700);
        else if (entry->is_regular_file(ignored))
            setImmutable(entry->path().string(), false);
    }
    fs::remove_all(root, ignored);
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

std::optional<std::string> setImmutable(const std::string& path, bool immutable)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::string("open: ") + std::strerror(errno);
    int flags = 0;
    std::optional<std::string> failure;
    if (::ioctl(fd, FS_IOC_GETFLAGS, &flags) < 0) {
        failure = std::string("FS_IOC_GETFLAGS: ") + std::strerror(errno);
    } else {
        flags = immutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        if (::ioctl(fd, FS_IOC_SETFLAGS, &flags) < 0)
            failure = std::string("FS_IOC_SETFLAGS: ") + std::strerror(errno);
    }
    ::close(fd);
    return failure;
}

} // namespace ostra::test
