#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ostra {

// A block device as sysfs shows it.
struct BlockDevice {
    std::string Name;                    // kernel name, such as "sdb1" or "mmcblk0p1"
    std::filesystem::path DiskFolder;    // resolved sysfs folder of the whole disk
    std::filesystem::path DiskBelowRoot; // the same, relative to the sysfs root
};

// Finds the device with the given numbers through <sysfsRoot>/dev/block/MAJ:MIN;
// a partition leads to its parent disk. Nothing when sysfs does not know
// the numbers (file systems without a block device, FUSE mounts).
std::optional<BlockDevice> FindBlockDevice(const std::filesystem::path& sysfsRoot, unsigned major, unsigned minor);

// Whether the disk is one a card or stick is plugged into: its removable
// flag is set, it hangs on a USB bus, or it is an SD card in a built-in
// slot (a soldered eMMC reports "MMC" and is fixed).
bool IsRemovableDisk(const BlockDevice& device);

} // namespace ostra
