#include "platform/FilePath.h"

#include <cerrno>

namespace ostra {

std::string folderOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

bool folderExists(FileApi& files, const std::string& folder)
{
    struct stat status {};
    return !files.stat(folder, status).failed() && S_ISDIR(status.st_mode);
}

std::optional<std::uint64_t> regularFileLength(FileApi& files, const std::string& path)
{
    struct stat status {};
    if (files.stat(path, status).failed() || !S_ISREG(status.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(status.st_size);
}

EInOutError pathError(FileApi& files, const std::string& path, int errorNumber)
{
    const bool folderPresent = errorNumber != ENOENT || folderExists(files, folderOf(path));
    return inOutErrorFromErrno(errorNumber, folderPresent);
}

} // namespace ostra
