#include "cli/FieldCatalogue.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace ostra::cli {

namespace {

// "/zones/3" of "/zones/3/full" and "/zones" of it, each a group.
bool isPrefixOf(std::string_view group, std::string_view pointer)
{
    return pointer.size() > group.size() && pointer.starts_with(group) && pointer[group.size()] == '/';
}

std::vector<std::string_view> splitName(std::string_view name, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = name.front() == separator ? 1 : 0;
    while (start <= name.size()) {
        const std::size_t end = std::min(name.find(separator, start), name.size());
        parts.push_back(name.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

bool isFieldGroup(std::string_view pointer)
{
    return std::ranges::any_of(ConfigFields(),
                               [pointer](const ConfigField& field) { return isPrefixOf(pointer, field.Pointer); });
}

std::optional<std::string> groupNumberProblem(std::string_view name, char separator)
{
    if (name.empty())
        return std::nullopt;
    const std::vector<std::string_view> parts = splitName(name, separator);
    if (parts.size() < 2)
        return std::nullopt;
    for (const FieldGroup& group : FieldGroups()) {
        const char* groupName = separator == '.' ? group.KeyName : group.DocumentName;
        if (parts[0] != groupName)
            continue;
        int number = 0;
        const auto [end, error] = std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), number);
        const bool numeric = error == std::errc() && end == parts[1].data() + parts[1].size();
        if (numeric && number >= 1 && number <= group.Count)
            return std::nullopt;
        return std::string(group.Noun) + " \"" + std::string(parts[1]) + "\" is not one of 1 to "
            + std::to_string(group.Count);
    }
    return std::nullopt;
}

} // namespace ostra::cli
