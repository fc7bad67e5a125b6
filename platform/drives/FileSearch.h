#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ostra {

// The FAT attribute byte of a file (hidden, system, volume label, ...), or
// nothing when the file system cannot tell (any file system but the
// kernel's FAT driver; FUSE FAT drivers such as fusefat do not answer).
using FatAttributeReader = std::function<std::optional<std::uint32_t>(const std::filesystem::path&)>;

std::optional<std::uint32_t> ReadFatAttributes(const std::filesystem::path& file);

// Wildcard match as the browser needs it: "*" matches any run of
// characters, "?" any one, and letters match regardless of case, since
// cards written by the device or by other systems hold names such as
// CFG1.CFG as often as cfg1.cfg.
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// The names of the plain files directly in `folder` that match `pattern`,
// in byte order of their names. Skipped: anything but a regular file
// (folders, symbolic links, devices), names starting with ".", and files
// whose FAT attributes mark them hidden, system or volume label. Where the
// attributes cannot be read, files are not filtered by them.
//
// A folder that cannot be opened or read to the end yields no names, the
// same answer as a folder without matching files.
std::vector<std::string> FindPlainFiles(const std::filesystem::path& folder, std::string_view pattern,
                                        const FatAttributeReader& readAttributes = ReadFatAttributes);

} // namespace ostra
