#include "platform/drives/BlockDevice.h"

#include "platform/drives/TextFile.h"

#include <algorithm>
#include <string_view>

namespace ostra {

namespace {

using DiskRule = bool (*)(const BlockDevice& device);

bool hasRemovableFlag(const BlockDevice& device)
{
    return ReadFirstLine(device.DiskFolder / "removable") == "1";
}

bool isUsbRootHub(const std::filesystem::path& component)
{
    const std::string name = component.string();
    return name.size() > 3 && name.starts_with("usb") &&
           std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Every USB device sits below a root hub node named "usb<bus number>".
// Only the part below the sysfs root counts, so that the folder sysfs
// itself lives in cannot pass for a bus.
bool hangsOnUsbBus(const BlockDevice& device)
{
    return std::any_of(device.DiskBelowRoot.begin(), device.DiskBelowRoot.end(), isUsbRootHub);
}

bool isSdCard(const BlockDevice& device)
{
    return device.DiskFolder.filename().string().starts_with("mmcblk") &&
           ReadFirstLine(device.DiskFolder / "device" / "type") == "SD";
}

constexpr DiskRule kRemovableDiskRules[] = {hasRemovableFlag, hangsOnUsbBus, isSdCard};

} // namespace

std::optional<BlockDevice> FindBlockDevice(const std::filesystem::path& sysfsRoot, unsigned major, unsigned minor)
{
    const std::string numbers = std::to_string(major) + ":" + std::to_string(minor);
    std::error_code error;
    const std::filesystem::path root = std::filesystem::canonical(sysfsRoot, error);
    const std::filesystem::path device =
        error ? std::filesystem::path() : std::filesystem::canonical(root / "dev" / "block" / numbers, error);
    if (error) {
        return std::nullopt;
    }
    const bool isPartition = std::filesystem::exists(device / "partition", error);
    const std::filesystem::path disk = isPartition ? device.parent_path() : device;
    return BlockDevice{device.filename().string(), disk, disk.lexically_relative(root)};
}

bool IsRemovableDisk(const BlockDevice& device)
{
    return std::any_of(std::begin(kRemovableDiskRules), std::end(kRemovableDiskRules),
                       [&](DiskRule rule) { return rule(device); });
}

} // namespace ostra
