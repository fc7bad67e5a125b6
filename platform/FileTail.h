#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/FileApi.h"

namespace ostra {

// The bytes of the regular file at path that lie beyond its first offset
// bytes: what a save of offset bytes over the file must keep so that it
// does not cut the file. Nothing for a missing file, one no longer than
// offset, or anything but a regular file (a pipe or a device is never
// read ahead of a save).
//
// A longer file that cannot be read raises EInOutError with the mapped
// error, so that a save does not cut what it could not read. A file
// nobody may read but whose length is unknown counts as not longer.
std::vector<std::uint8_t> readFileBeyond(FileApi& files, const std::string& path, std::size_t offset);

} // namespace ostra
