#include "config/FieldText.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace ostra {

namespace {

using namespace layout;

// A flag's words, and the screen mode's as set takes them; set takes a
// flag's "true" and "false" as well.
struct SetWord {
    std::string_view Word;
    bool Value;
};

constexpr SetWord kSwitchWords[] = {{"on", true}, {"off", false}, {"true", true}, {"false", false}};
constexpr SetWord kModeWords[] = {{"professional", true}, {"residential", false}};

template <std::size_t N> std::string wordFor(const SetWord (&words)[N], bool value)
{
    return std::string(std::ranges::find(words, value, &SetWord::Value)->Word);
}

template <std::size_t N> std::optional<bool> valueFor(const SetWord (&words)[N], std::string_view word)
{
    const auto found = std::ranges::find(words, word, &SetWord::Word);
    return found == std::end(words) ? std::nullopt : std::optional<bool>(found->Value);
}

std::string_view unpadded(std::string_view bytes)
{
    while (!bytes.empty() && static_cast<unsigned char>(bytes.back()) == kTextPadding)
        bytes.remove_suffix(1);
    return bytes;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return unpadded(text);
}

// The wallplates of a set, each as name() gives it, between separators.
template <typename Name> std::string wallplateList(const WallplateSet& plates, const char* separator, Name name)
{
    std::string list;
    for (int w = 1; w <= kWallplateCount; ++w) {
        if (!plates[w - 1])
            continue;
        if (!list.empty())
            list += separator;
        list += name(w);
    }
    return list;
}

std::string codePageName(CodePageId page)
{
    switch (page) {
    case CodePageId::Cp437:
        return "code page 437";
    case CodePageId::Cp1252:
        return "Windows-1252";
    }
    return {};
}

std::string codePointName(char32_t character)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(character));
    return name;
}

std::string encoded(std::string_view utf8, CodePageId page)
{
    const ByteCharacterSet& set = CharacterSetOf(page);
    std::string bytes;
    for (std::size_t pos = 0; pos < utf8.size();) {
        const std::optional<char32_t> character = NextCodePoint(utf8, pos);
        if (!character)
            throw FieldValueError("the text is not valid UTF-8");
        const std::optional<std::uint8_t> byte = set.Byte(*character);
        if (!byte)
            throw FieldValueError("character " + codePointName(*character) + " has no byte in " + codePageName(page));
        bytes.push_back(static_cast<char>(*byte));
    }
    return bytes;
}

} // namespace

std::string ValueAsShown(const ConfigField& field, const FieldValue& value)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return DecodeToUtf8(unpadded(std::get<std::string>(value)), CharacterSetOf(field.Page));
    case FieldKind::Flag:
        return wordFor(kSwitchWords, std::get<bool>(value));
    case FieldKind::ScreenMode:
        return std::get<bool>(value) ? kProfessionalMode : kResidentialMode;
    case FieldKind::Wallplates:
        return wallplateList(std::get<WallplateSet>(value), ", ", WallplateCaption);
    case FieldKind::Version: {
        const VersionText& version = std::get<VersionText>(value);
        return VersionAsShown(field, version.Major, version.Minor);
    }
    }
    return {};
}

std::string ValueAsShown(const TConfigRecord& record, const ConfigField& field)
{
    return ValueAsShown(field, ReadFieldValue(record, field));
}

std::string ValueAsSet(const ConfigField& field, const FieldValue& value)
{
    switch (field.Kind) {
    case FieldKind::ScreenMode:
        return wordFor(kModeWords, std::get<bool>(value));
    case FieldKind::Wallplates:
        return wallplateList(std::get<WallplateSet>(value), ",", WallplateName);
    case FieldKind::Text:
    case FieldKind::InstallerLine:
    case FieldKind::Flag:
    case FieldKind::Version:
        break;
    }
    return ValueAsShown(field, value);
}

std::string ValueAsSet(const TConfigRecord& record, const ConfigField& field)
{
    return ValueAsSet(field, ReadFieldValue(record, field));
}

FieldValue ValueFromSet(const ConfigField& field, std::string_view text, OverlongText overlong)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return FieldBytesOf(field, text, overlong);
    case FieldKind::Flag:
        if (const std::optional<bool> on = valueFor(kSwitchWords, text))
            return *on;
        throw FieldValueError("expected \"on\" or \"off\"");
    case FieldKind::ScreenMode:
        if (const std::optional<bool> professional = valueFor(kModeWords, text))
            return *professional;
        throw FieldValueError("expected \"residential\" or \"professional\"");
    case FieldKind::Wallplates: {
        WallplateSet plates;
        if (trimmed(text).empty())
            return plates;
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = std::min(text.find(',', start), text.size());
            plates[WallplateOfName(trimmed(text.substr(start, end - start))) - 1] = true;
            start = end + 1;
        }
        return plates;
    }
    case FieldKind::Version:
        break;
    }
    throw FieldValueError("the field cannot be set");
}

std::string FieldBytesOf(const ConfigField& field, std::string_view utf8, OverlongText overlong)
{
    std::string bytes = encoded(utf8, field.Page);
    if (static_cast<int>(bytes.size()) > field.Width) {
        if (overlong == OverlongText::Refuse)
            throw FieldValueError("a text of " + std::to_string(bytes.size())
                                  + " characters is longer than the field's " + std::to_string(field.Width));
        bytes.resize(static_cast<std::size_t>(field.Width));
    }
    return bytes;
}

int WallplateOfName(std::string_view name, const std::string& subPlace)
{
    const std::optional<int> wallplate = WallplateFromName(name);
    if (!wallplate)
        throw FieldValueError("wallplate \"" + std::string(name) + "\" is not one of A1 to F6", subPlace);
    return *wallplate;
}

std::string ZoneHeadingAsShown(const TConfigRecord& record, int zone)
{
    const std::string name = ValueAsShown(record, GroupField(kZoneGroup, zone, &kFullName));
    std::string heading = std::to_string(zone);
    if (!name.empty()) {
        heading += ' ';
        heading += name;
    }
    return heading;
}

} // namespace ostra
