#pragma once

#include <map>
#include <optional>
#include <string>

namespace ostra::conformance {

// A test description: "[section]" lines and "key = value" lines; lines
// starting with "#" or ";" are comments. Keys and values are trimmed.
class IniFile {
public:
    // Nothing when the file cannot be read.
    static std::optional<IniFile> Read(const std::string& path);

    // The value, or nothing when the section or key is missing.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

} // namespace ostra::conformance
