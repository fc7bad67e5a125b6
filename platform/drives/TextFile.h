#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace ostra {

// The whole content of a file, read to end of file rather than to its
// reported size: /proc and sysfs files report a size of 0 (or a page)
// whatever they hold.
std::optional<std::string> ReadTextFile(const std::filesystem::path& file);

// The first line of a file without its line end; empty when the file
// cannot be read. Sysfs attributes hold one value per file.
std::string ReadFirstLine(const std::filesystem::path& file);

} // namespace ostra
