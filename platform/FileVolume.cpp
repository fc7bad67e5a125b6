#include "platform/FileVolume.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <vector>

namespace ostra {

namespace {

constexpr const char* kDevicePrefix = "device ";

std::string deviceName(dev_t device)
{
    return kDevicePrefix + std::to_string(major(device)) + ":" + std::to_string(minor(device));
}

} // namespace

std::string VolumeOf(FileApi& files, const std::string& path, const std::string& byUuid)
{
    struct stat file {};
    if (files.stat(path, file).failed())
        return {};
    std::vector<FolderEntry> entries;
    if (!files.listFolder(byUuid, entries).failed())
        for (const FolderEntry& entry : entries) {
            struct stat device {};
            if (!files.stat(byUuid + "/" + entry.name, device).failed() && S_ISBLK(device.st_mode) &&
                device.st_rdev == file.st_dev)
                return entry.name;
        }
    return deviceName(file.st_dev);
}

bool VolumeAttached(FileApi& files, const std::string& volume, const std::string& byUuid)
{
    if (volume.empty() || volume.rfind(kDevicePrefix, 0) == 0)
        return true;
    struct stat device {};
    return !files.stat(byUuid + "/" + volume, device).failed();
}

} // namespace ostra
