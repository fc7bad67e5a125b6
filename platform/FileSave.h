#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileApi.h"

namespace ostra {

// Makes the file at path hold exactly bytes, so that a failure part-way
// leaves either the old content or the new, never a mix or a cut file.
//
// A regular file (or a new one) is replaced: the bytes go to a temporary
// file in the same folder, which is flushed, given the old file's owner and
// permission bits where the file system allows, renamed over the target, and
// then the folder is flushed. A target that is not a regular file (a device,
// a pipe), or one whose folder refuses new files while the target itself is
// writable, is truncated and written in place instead.
//
// Raises EInOutError with the mapped error of the first failing step; an
// existing target that cannot be opened for writing is left untouched (5),
// and a missing folder gives 3. No temporary file outlives a failure.
void saveFileSafely(FileApi& files, const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace ostra
