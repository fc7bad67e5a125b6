#include "IniFile.h"

#include <fstream>

namespace ostra::conformance {

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

std::optional<IniFile> IniFile::Read(const std::string& path)
{
    std::ifstream in(path);
    if (!in)
        return std::nullopt;
    IniFile file;
    std::string section;
    for (std::string line; std::getline(in, line);) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        const auto equals = line.find('=');
        if (equals != std::string::npos)
            file.sections_[section][trimmed(line.substr(0, equals))] = trimmed(line.substr(equals + 1));
    }
    return file;
}

std::optional<std::string> IniFile::Value(const std::string& section, const std::string& key) const
{
    const auto found = sections_.find(section);
    if (found == sections_.end())
        return std::nullopt;
    const auto value = found->second.find(key);
    if (value == found->second.end())
        return std::nullopt;
    return value->second;
}

} // namespace ostra::conformance
