#include "platform/files/FileTestSupport.h"

#include <sys/fsuid.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/FileSave.h"
#include "platform/InOutError.h"

namespace ostra::test {

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

std::string saveMessage(FileApi& files, const std::string& path, const Bytes& bytes)
{
    try {
        saveFileSafely(files, path, bytes);
    } catch (const EInOutError& error) {
        return error.Message;
    }
    return "";
}

} // namespace ostra::test
