#pragma once

#include <string>

#include "platform/FileApi.h"

namespace ostra {

// Where the system names each attached file system by its serial or UUID.
inline constexpr const char* kVolumesByUuid = "/dev/disk/by-uuid";

// The file system that holds path, as byUuid names it: the name of the
// entry there whose device is the one path lies on (a FAT card's serial,
// "1A2B-3C4D"). Where no entry names it, its device numbers ("device
// 8:17"); empty when path cannot be reached. Two cards of the same site,
// with the same volume label and file names, mounted at the same place
// through the same device node, still have different serials.
std::string VolumeOf(FileApi& files, const std::string& path, const std::string& byUuid = kVolumesByUuid);

// Whether the file system named so by VolumeOf is attached now: its entry
// is still in byUuid (a volume named by its device numbers counts as
// attached).
bool VolumeAttached(FileApi& files, const std::string& volume, const std::string& byUuid = kVolumesByUuid);

} // namespace ostra
