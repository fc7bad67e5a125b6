#include "platform/files/FileTestSupport.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/fsuid.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace ostra::test {

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "ostra-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    ::chmod(path_.c_str(), 0755);
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored))
        setImmutable(entry.path().string(), false);
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempFolder::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::ranges::sort(names);
    return names;
}

void writeBytes(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

Bytes readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes patternBytes(std::size_t count, unsigned seed)
{
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i)
        bytes[i] = static_cast<std::uint8_t>((i * 7 + seed * 13 + (i >> 8)) & 0xFF);
    return bytes;
}

// setfsuid reports the previous id whether or not it changed anything;
// asking again with an invalid id shows which one is in force.
ScopedFileSystemUser::ScopedFileSystemUser(uid_t user)
    : previous_(static_cast<uid_t>(::setfsuid(user)))
{
    active_ = static_cast<uid_t>(::setfsuid(static_cast<uid_t>(-1))) == user;
}

ScopedFileSystemUser::~ScopedFileSystemUser()
{
    ::setfsuid(previous_);
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
