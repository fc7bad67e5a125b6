#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "platform/FileApi.h"

namespace ostra {

// When the medium holding path was attached: the modification time of the
// device node its mount came from, which the kernel sets when it adds the
// device (a card plugged in, a machine booted). Nothing when the mount has
// no such node (a network or memory file system, a node under another
// name). mountInfo is the mount table to search, /proc/self/mountinfo in
// the product.
std::optional<std::time_t> mediumAttachedAt(FileApi& files, const std::string& path,
                                            const std::string& mountInfo = "/proc/self/mountinfo");

} // namespace ostra
