#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ostra {

// Undoes udev's escaping of label link names, "\x20" for a space and so on.
std::string DecodeLabelLinkName(std::string_view linkName);

// The volume name of a mounted device: the file-system label when a link
// in `labelFolder` (udev's /dev/disk/by-label) points at the device, or
// else the last component of the mount path, which desktop automounters
// name after the label too. No device is opened to read a label.
std::string VolumeNameFor(const std::filesystem::path& labelFolder, std::string_view deviceName,
                          const std::filesystem::path& mountPath);

} // namespace ostra
