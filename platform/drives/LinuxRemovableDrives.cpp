#include "platform/drives/LinuxRemovableDrives.h"

#include "platform/drives/BlockDevice.h"
#include "platform/drives/MountInfo.h"
#include "platform/drives/VolumeName.h"

#include <algorithm>
#include <map>

namespace ostra {

namespace {

constexpr char kFirstLetter = 'C';
constexpr char kLastLetter = 'Z';
constexpr std::size_t kMaxDrives = kLastLetter - kFirstLetter + 1;

struct RemovableMount {
    const MountEntry* Mount;
    std::string DeviceName;
};

// The mounts a user can reach at a file system's root: a later mount on the
// same path hides the earlier one, and a bind mount of a sub-folder
// (root other than "/") is not a drive's root.
std::vector<const MountEntry*> visibleRootMounts(const std::vector<MountEntry>& entries)
{
    std::map<std::string, const MountEntry*> topmost;
    for (const MountEntry& entry : entries) {
        topmost[entry.MountPoint] = &entry;
    }
    std::vector<const MountEntry*> mounts;
    for (const auto& [mountPoint, entry] : topmost) {
        if (entry->Root == "/") {
            mounts.push_back(entry);
        }
    }
    return mounts;
}

// One drive per device: a card mounted twice keeps its first mount path.
void dropRepeatedDevices(std::vector<RemovableMount>& mounts)
{
    std::vector<std::pair<unsigned, unsigned>> seen;
    std::erase_if(mounts, [&](const RemovableMount& mount) {
        const std::pair numbers{mount.Mount->Major, mount.Mount->Minor};
        if (std::find(seen.begin(), seen.end(), numbers) != seen.end()) {
            return true;
        }
        seen.push_back(numbers);
        return false;
    });
}

} // namespace

LinuxRemovableDrives::LinuxRemovableDrives() : LinuxRemovableDrives(Sources()) {}

LinuxRemovableDrives::LinuxRemovableDrives(Sources sources) : sources_(std::move(sources))
{
    rescan();
}

void LinuxRemovableDrives::rescan()
{
    const std::vector<MountEntry> entries = ReadMountInfo(sources_.MountInfo);
    // visibleRootMounts gives them in byte order of the mount path.
    std::vector<RemovableMount> removable;
    for (const MountEntry* mount : visibleRootMounts(entries)) {
        const std::optional<BlockDevice> device = FindBlockDevice(sources_.SysfsRoot, mount->Major, mount->Minor);
        if (device && IsRemovableDisk(*device)) {
            removable.push_back({mount, device->Name});
        }
    }
    dropRepeatedDevices(removable);

    drives_.clear();
    for (std::size_t i = 0; i < removable.size() && i < kMaxDrives; ++i) {
        const std::filesystem::path mountPath = removable[i].Mount->MountPoint;
        drives_.push_back({static_cast<char>(kFirstLetter + i), mountPath,
                           VolumeNameFor(sources_.LabelFolder, removable[i].DeviceName, mountPath)});
    }
}

const std::vector<DriveInfo>& LinuxRemovableDrives::drives() const
{
    return drives_;
}

} // namespace ostra
