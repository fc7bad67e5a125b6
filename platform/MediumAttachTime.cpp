#include "platform/MediumAttachTime.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include "platform/drives/MountInfo.h"

namespace ostra {

std::optional<std::time_t> mediumAttachedAt(FileApi& files, const std::string& path, const std::string& mountInfo)
{
    struct stat held {};
    if (files.stat(path, held).failed())
        return std::nullopt;
    for (const MountEntry& mount : ReadMountInfo(mountInfo)) {
        if (mount.Major != major(held.st_dev) || mount.Minor != minor(held.st_dev))
            continue;
        struct stat node {};
        if (files.stat(mount.Source, node).failed() || !S_ISBLK(node.st_mode) || node.st_rdev != held.st_dev)
            continue;
        return node.st_mtime;
    }
    return std::nullopt;
}

} // namespace ostra
