#include "cli/FieldText.h"

#include <cctype>

#include "cli/Refusal.h"
#include "cli/TextCodec.h"

namespace ostra::cli {

namespace {

using namespace layout;


const char* modeName(bool professional)
{
    return professional ? "professional" : "residential";
}

std::optional<bool> modeFromName(std::string_view name)
{
    if (name == "professional")
        return true;
    if (name == "residential")
        return false;
    return std::nullopt;
}

std::optional<bool> switchFromName(std::string_view name)
{
    if (name == "on" || name == "true")
        return true;
    if (name == "off" || name == "false")
        return false;
    return std::nullopt;
}

// The field bytes of a text given as UTF-8, no longer than the field
// unless cutting is allowed.
std::string textBytes(const ConfigField& field, std::string_view utf8, OverlongText overlong)
{
    std::string bytes = encodeText(utf8, field.Page);
    if (static_cast<int>(bytes.size()) > field.Width) {
        if (overlong == OverlongText::Refuse)
            throw ValueError("a text of " + std::to_string(bytes.size()) + " characters is longer than the field's "
                             + std::to_string(field.Width));
        bytes.resize(static_cast<std::size_t>(field.Width));
    }
    return bytes;
}

void addWallplate(WallplateSet& plates, std::string_view name, std::string subPlace)
{
    const std::optional<int> wallplate = WallplateFromName(name);
    if (!wallplate)
        throw ValueError("wallplate \"" + terminalSafe(name) + "\" is not one of A1 to F6", std::move(subPlace));
    plates[*wallplate - 1] = true;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

VersionText versionFromJson(const ConfigField& field, const Json& json, OverlongText overlong)
{
    if (!json.is_object() || !json.contains("major") || !json.contains("minor"))
        throw ValueError("expected an object with \"major\" and \"minor\" texts");
    VersionText version;
    for (const auto& [name, part] : json.items()) {
        std::string* target = name == "major" ? &version.Major : name == "minor" ? &version.Minor : nullptr;
        if (target == nullptr)
            throw ValueError("unknown key", "/" + name);
        if (!part.is_string())
            throw ValueError("expected a text", "/" + name);
        try {
            *target = textBytes(field, part.get<std::string>(), overlong);
        } catch (const ValueError& error) {
            throw ValueError(error.what(), "/" + name);
        }
    }
    return version;
}

} // namespace

Json valueToJson(const ConfigField& field, const FieldValue& value)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return decodeText(std::get<std::string>(value), field.Page);
    case FieldKind::Flag:
        return std::get<bool>(value);
    case FieldKind::ScreenMode:
        return modeName(std::get<bool>(value));
    case FieldKind::Wallplates: {
        Json names = Json::array();
        const WallplateSet& plates = std::get<WallplateSet>(value);
        for (int w = 1; w <= kWallplateCount; ++w)
            if (plates[w - 1])
                names.push_back(WallplateName(w));
        return names;
    }
    case FieldKind::Version: {
        const VersionText& version = std::get<VersionText>(value);
        return Json{{"major", decodeText(version.Major, field.Page)}, {"minor", decodeText(version.Minor, field.Page)}};
    }
    }
    return {};
}

FieldValue valueFromJson(const ConfigField& field, const Json& json, OverlongText overlong)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        if (!json.is_string())
            throw ValueError("expected a text");
        return textBytes(field, json.get<std::string>(), overlong);
    case FieldKind::Flag:
        if (!json.is_boolean())
            throw ValueError("expected true or false");
        return json.get<bool>();
    case FieldKind::ScreenMode: {
        const std::optional<bool> mode = json.is_string() ? modeFromName(json.get<std::string>()) : std::nullopt;
        if (!mode)
            throw ValueError("expected \"residential\" or \"professional\"");
        return *mode;
    }
    case FieldKind::Wallplates: {
        if (!json.is_array())
            throw ValueError("expected a list of wallplates such as [\"A1\", \"F6\"]");
        WallplateSet plates;
        for (std::size_t i = 0; i < json.size(); ++i) {
            std::string subPlace(1, '/');
            subPlace += std::to_string(i);
            if (!json[i].is_string())
                throw ValueError("expected a wallplate such as \"A1\"", subPlace);
            addWallplate(plates, json[i].get<std::string>(), subPlace);
        }
        return plates;
    }
    case FieldKind::Version:
        return versionFromJson(field, json, overlong);
    }
    return {};
}

FieldValue valueFromArgument(const ConfigField& field, std::string_view argument, OverlongText overlong)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return textBytes(field, argument, overlong);
    case FieldKind::Flag: {
        const std::optional<bool> on = switchFromName(argument);
        if (!on)
            throw ValueError("expected \"on\" or \"off\"");
        return *on;
    }
    case FieldKind::ScreenMode: {
        const std::optional<bool> mode = modeFromName(argument);
        if (!mode)
            throw ValueError("expected \"residential\" or \"professional\"");
        return *mode;
    }
    case FieldKind::Wallplates: {
        WallplateSet plates;
        if (trimmed(argument).empty())
            return plates;
        std::size_t start = 0;
        while (start <= argument.size()) {
            const std::size_t end = std::min(argument.find(',', start), argument.size());
            addWallplate(plates, trimmed(argument.substr(start, end - start)), {});
            start = end + 1;
        }
        return plates;
    }
    case FieldKind::Version:
        break;
    }
    throw ValueError("the field cannot be set");
}

std::string valueForShow(const ConfigField& field, const FieldValue& value)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return terminalSafe(decodeText(std::get<std::string>(value), field.Page));
    case FieldKind::Flag:
        return std::get<bool>(value) ? "on" : "off";
    case FieldKind::ScreenMode:
        return std::get<bool>(value) ? kProfessionalMode : kResidentialMode;
    case FieldKind::Wallplates: {
        std::string captions;
        const WallplateSet& plates = std::get<WallplateSet>(value);
        for (int w = 1; w <= kWallplateCount; ++w)
            if (plates[w - 1])
                captions += (captions.empty() ? "" : ", ") + WallplateCaption(w);
        return captions;
    }
    case FieldKind::Version: {
        const VersionText& version = std::get<VersionText>(value);
        return terminalSafe(VersionAsShown(field, version.Major, version.Minor));
    }
    }
    return {};
}

std::string valueForDiff(const ConfigField& field, const FieldValue& value)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return quotedText(decodeText(std::get<std::string>(value), field.Page));
    case FieldKind::Version: {
        const VersionText& version = std::get<VersionText>(value);
        return quotedText(VersionAsShown(field, version.Major, version.Minor));
    }
    case FieldKind::Wallplates: {
        std::string list(1, '[');
        list += valueForShow(field, value);
        list += ']';
        return list;
    }
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        break;
    }
    return valueForShow(field, value);
}

} // namespace ostra::cli
