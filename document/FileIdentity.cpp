#include "document/FileIdentity.h"

#include <sys/stat.h>

#include "platform/FileVolume.h"

namespace ostra {

FileIdentity IdentityOf(FileApi& files, const std::string& path)
{
    struct stat status {};
    if (files.stat(path, status).failed())
        return {};
    return {VolumeOf(files, path), static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino),
            static_cast<std::uint64_t>(status.st_size), static_cast<std::int64_t>(status.st_mtim.tv_sec),
            static_cast<std::int64_t>(status.st_mtim.tv_nsec)};
}

} // namespace ostra
