#include "cli/FieldText.h"

#include "cli/Refusal.h"
#include "cli/TextCodec.h"

namespace ostra::cli {

namespace {

using namespace layout;

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
            *target = FieldBytesOf(field, part.get<std::string>(), overlong);
        } catch (const ValueError& error) {
            throw ValueError(error.what(), "/" + name);
        }
    }
    return version;
}

std::string versionPart(const ConfigField& field, const std::string& bytes)
{
    return DecodeToUtf8(bytes, CharacterSetOf(field.Page));
}

} // namespace

Json valueToJson(const ConfigField& field, const FieldValue& value)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
    case FieldKind::ScreenMode:
        return ValueAsSet(field, value);
    case FieldKind::Flag:
        return std::get<bool>(value);
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
        return Json{{"major", versionPart(field, version.Major)}, {"minor", versionPart(field, version.Minor)}};
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
        return FieldBytesOf(field, json.get<std::string>(), overlong);
    case FieldKind::Flag:
        if (!json.is_boolean())
            throw ValueError("expected true or false");
        return json.get<bool>();
    case FieldKind::ScreenMode:
        // The words set takes; anything but a text is refused as an unknown word is.
        return ValueFromSet(field, json.is_string() ? json.get<std::string>() : std::string(), overlong);
    case FieldKind::Wallplates: {
        if (!json.is_array())
            throw ValueError("expected a list of wallplates such as [\"A1\", \"F6\"]");
        WallplateSet plates;
        for (std::size_t i = 0; i < json.size(); ++i) {
            std::string subPlace(1, '/');
            subPlace += std::to_string(i);
            if (!json[i].is_string())
                throw ValueError("expected a wallplate such as \"A1\"", subPlace);
            plates[WallplateOfName(json[i].get<std::string>(), subPlace) - 1] = true;
        }
        return plates;
    }
    case FieldKind::Version:
        return versionFromJson(field, json, overlong);
    }
    return {};
}

std::string valueForDiff(const ConfigField& field, const FieldValue& value)
{
    const std::string shown = ValueAsShown(field, value);
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
    case FieldKind::Version:
        return quotedText(shown);
    case FieldKind::Wallplates: {
        std::string list(1, '[');
        list += shown;
        list += ']';
        return list;
    }
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        break;
    }
    return terminalSafe(shown);
}

} // namespace ostra::cli
