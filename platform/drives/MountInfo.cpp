#include "platform/drives/MountInfo.h"

#include "platform/drives/TextFile.h"

#include <charconv>
#include <optional>

namespace ostra {

namespace {

// Fields before the optional ones, and after the "-" separator.
constexpr std::size_t kLeadingFields = 6;
constexpr std::size_t kTrailingFields = 2;
constexpr std::size_t kMajorMinorField = 2;
constexpr std::size_t kRootField = 3;
constexpr std::size_t kMountPointField = 4;

bool isOctalDigit(char c)
{
    return c >= '0' && c <= '7';
}

// "\ooo" with a value that fits in one byte.
bool isOctalEscape(std::string_view text)
{
    return text.size() >= 4 && text[0] == '\\' && text[1] >= '0' && text[1] <= '3' && isOctalDigit(text[2]) &&
           isOctalDigit(text[3]);
}

std::vector<std::string_view> splitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start < line.size()) {
        const std::size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) {
            fields.push_back(line.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

bool parseMajorMinor(std::string_view field, unsigned& major, unsigned& minor)
{
    const std::size_t colon = field.find(':');
    if (colon == std::string_view::npos) {
        return false;
    }
    const char* end = field.data() + field.size();
    const auto majorResult = std::from_chars(field.data(), field.data() + colon, major);
    const auto minorResult = std::from_chars(field.data() + colon + 1, end, minor);
    return majorResult.ec == std::errc() && majorResult.ptr == field.data() + colon &&
           minorResult.ec == std::errc() && minorResult.ptr == end;
}

std::optional<MountEntry> parseMountLine(std::string_view line)
{
    const std::vector<std::string_view> fields = splitFields(line);
    std::size_t separator = kLeadingFields;
    while (separator < fields.size() && fields[separator] != "-") {
        ++separator;
    }
    MountEntry entry;
    if (separator + kTrailingFields >= fields.size() ||
        !parseMajorMinor(fields[kMajorMinorField], entry.Major, entry.Minor)) {
        return std::nullopt;
    }
    entry.Root = UnescapeMountField(fields[kRootField]);
    entry.MountPoint = UnescapeMountField(fields[kMountPointField]);
    entry.FileSystemType = UnescapeMountField(fields[separator + 1]);
    entry.Source = UnescapeMountField(fields[separator + 2]);
    return entry;
}

} // namespace

std::string UnescapeMountField(std::string_view field)
{
    std::string text;
    text.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (isOctalEscape(field.substr(i))) {
            text.push_back(static_cast<char>(((field[i + 1] - '0') << 6) | ((field[i + 2] - '0') << 3) |
                                             (field[i + 3] - '0')));
            i += 3;
        } else {
            text.push_back(field[i]);
        }
    }
    return text;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text)
{
    std::vector<MountEntry> entries;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        if (std::optional<MountEntry> entry = parseMountLine(text.substr(start, end - start))) {
            entries.push_back(std::move(*entry));
        }
        start = end + 1;
    }
    return entries;
}

std::vector<MountEntry> ReadMountInfo(const std::filesystem::path& file)
{
    const std::optional<std::string> text = ReadTextFile(file);
    return text ? ParseMountInfo(*text) : std::vector<MountEntry>();
}

} // namespace ostra
