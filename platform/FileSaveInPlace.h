#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileApi.h"

namespace ostra {

// Writes bytes over the existing file at path, keeping its directory entry,
// owner, links and name.
//
// A regular file is never truncated first: all bytes go to offset 0 in one
// request and are flushed, and only then is a longer file cut to their
// length and flushed again. Cut off at any moment, the file holds either
// its complete old content or the complete new one (followed, until the cut
// is flushed, by the old tail).
//
// A pipe or a device is opened without waiting and written once: a pipe
// without a reader, or a full one, fails instead of blocking the editor.
//
// Raises EInOutError with the mapped error of the first failing step.
void writeInPlace(FileApi& files, const std::string& path, const struct stat& status,
                  std::span<const std::uint8_t> bytes);

// One write request that must move every byte: a short transfer means the
// medium is full.
void writeWhole(FileApi& files, int fd, std::span<const std::uint8_t> bytes);
void flushFile(FileApi& files, int fd);

} // namespace ostra
