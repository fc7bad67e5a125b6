#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/FileApi.h"
#include "platform/InOutError.h"

namespace ostra {

// The folder part of a path: "." for a bare name, "/" for a file in the root.
std::string folderOf(const std::string& path);

bool folderExists(FileApi& files, const std::string& folder);

// The length in bytes of the regular file at path, following symbolic
// links; nothing for a missing file or anything but a regular file.
std::optional<std::uint64_t> regularFileLength(FileApi& files, const std::string& path);

// The error for a request on path that failed with errorNumber, telling a
// missing file (its folder exists) from a missing folder.
EInOutError pathError(FileApi& files, const std::string& path, int errorNumber);

} // namespace ostra
