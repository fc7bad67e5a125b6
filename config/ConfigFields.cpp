#include "config/ConfigFields.h"

#include <cctype>
#include <initializer_list>
#include <stdexcept>
#include <string_view>

namespace ostra {

namespace {

using namespace layout;

constexpr int kPlatesPerLetter = 6;

constexpr FieldGroup kGroups[] = {kSourceGroup, kZoneGroup, kInstallerGroup};

struct OptionRow {
    const char* Name;
    const char* Label;
    int Bit;
};

constexpr OptionRow kOptions[] = {
    {"disable_autoselect", "Disable AutoSelect", kDisableAutoSelectBit},
    {"disable_front_panel", "Disable Front Panel", kDisableFrontPanelBit},
    {"disable_front_ir", "Disable Front IR", kDisableFrontIRBit},
    {"blanking", "Blanking", kBlankingBit},
};

std::string capitalised(std::string text)
{
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

// The parts end to end, appended to one string. Written as `"/" +
// std::string(...)`, GCC 12's optimiser takes the prepend for an
// overlapping copy and warns (-Wrestrict).
std::string joined(std::initializer_list<std::string_view> parts)
{
    std::string text;
    for (std::string_view part : parts)
        text += part;
    return text;
}

// "zone.3.full", "/zones/3/full", "Zone 3 Full Name" for member kFullName;
// without a member, the group's number alone.
ConfigField numbered(FieldKind kind, const FieldGroup& group, int index, const GroupMember* member = nullptr)
{
    const std::string number = std::to_string(index);
    ConfigField field{kind, GroupFieldKey(group, index, member), joined({"/", group.DocumentName, "/", number}),
                      joined({capitalised(group.Noun), " ", number})};
    if (member != nullptr) {
        field.Pointer += joined({"/", member->KeyName});
        field.Label += joined({" ", member->Label});
    }
    field.Index = index;
    return field;
}

// The short and full name of a source or zone, starting where the layout's
// functions put those of row `index`.
void addNames(std::vector<ConfigField>& fields, const FieldGroup& group, int index, int (*shortOffset)(int),
              int (*fullOffset)(int))
{
    ConfigField shortName = numbered(FieldKind::Text, group, index, &kShortName);
    shortName.Offset = shortOffset(index);
    shortName.Width = kShortNameWidth;
    fields.push_back(shortName);
    ConfigField fullName = numbered(FieldKind::Text, group, index, &kFullName);
    fullName.Offset = fullOffset(index);
    fullName.Width = kFullNameWidth;
    fields.push_back(fullName);
}

void addZone(std::vector<ConfigField>& fields, int zone)
{
    addNames(fields, kZoneGroup, zone, zoneShortNameOffset, zoneFullNameOffset);
    ConfigField wallplates = numbered(FieldKind::Wallplates, kZoneGroup, zone, &kZoneWallplates);
    wallplates.Offset = wallplateGroupOffset(zone);
    fields.push_back(wallplates);
    ConfigField main = numbered(FieldKind::Flag, kZoneGroup, zone, &kZoneMainOutput);
    main.Offset = kZoneMainOutputOffset;
    main.Width = zoneMainOutputBit(zone);
    fields.push_back(main);
}

ConfigField version(const char* key, const char* label, int offset)
{
    return {FieldKind::Version, key, std::string("/") + key, label, offset, kVersionPartWidth, 0,
            CodePageId::Cp1252, false};
}

std::vector<ConfigField> buildFields()
{
    std::vector<ConfigField> fields;
    fields.push_back({FieldKind::Text, "description", "/description", "Description", kDescriptionOffset,
                      kDescriptionWidth, 0, CodePageId::Cp437});
    fields.push_back(
        {FieldKind::ScreenMode, "mode", "/mode", "Normal Screen", kOptionFlagsOffset, kProfessionalModeBit});
    for (const OptionRow& option : kOptions)
        fields.push_back({FieldKind::Flag, std::string("options.") + option.Name,
                          std::string("/options/") + option.Name, option.Label, kOptionFlagsOffset, option.Bit});
    for (int i = 1; i <= kSourceCount; ++i)
        addNames(fields, kSourceGroup, i, sourceShortNameOffset, sourceFullNameOffset);
    for (int z = 1; z <= kZoneCount; ++z)
        addZone(fields, z);
    for (int k = 1; k <= kInstallerLineCount; ++k) {
        ConfigField line = numbered(FieldKind::InstallerLine, kInstallerGroup, k);
        line.Label = "Installer Information " + std::to_string(k);
        line.Offset = installerLineOffset(k);
        line.Width = kInstallerLineWidth;
        fields.push_back(line);
    }
    fields.push_back(version("hardware_version", "Hardware Version", kHardwareVersionOffset));
    fields.push_back(version("software_version", "Software Version", kSoftwareVersionOffset));
    return fields;
}

} // namespace

const ByteCharacterSet& CharacterSetOf(CodePageId page)
{
    switch (page) {
    case CodePageId::Cp437:
        return CharacterSet437();
    case CodePageId::Cp1252:
        return CharacterSet1252();
    }
    return CharacterSet1252();
}

const std::vector<ConfigField>& ConfigFields()
{
    static const std::vector<ConfigField> fields = buildFields();
    return fields;
}

const ConfigField* FindConfigField(std::string ConfigField::*kind, std::string_view name)
{
    for (const ConfigField& field : ConfigFields())
        if (field.*kind == name)
            return &field;
    return nullptr;
}

std::span<const FieldGroup> FieldGroups()
{
    return kGroups;
}

std::string GroupFieldKey(const FieldGroup& group, int index, const GroupMember* member)
{
    std::string key = joined({group.KeyName, ".", std::to_string(index)});
    if (member != nullptr)
        key += joined({".", member->KeyName});
    return key;
}

const ConfigField& GroupField(const FieldGroup& group, int index, const GroupMember* member)
{
    const ConfigField* field = FindConfigField(&ConfigField::Key, GroupFieldKey(group, index, member));
    if (field == nullptr)
        throw std::out_of_range("no field " + GroupFieldKey(group, index, member));
    return *field;
}

std::string ReadFieldText(const TConfigRecord& record, const ConfigField& field)
{
    if (field.Kind == FieldKind::InstallerLine)
        return ReadInstallerLine(record, field.Index);
    return ReadConfigText(record, field.Offset, field.Width);
}

void WriteFieldText(TConfigRecord& record, const ConfigField& field, std::string_view bytes)
{
    WriteConfigText(record, field.Offset, field.Width, bytes);
}

std::string VersionAsShown(const TConfigRecord& record, const ConfigField& field)
{
    return DecodeToUtf8(ConfigVersionText(record, field.Offset), CharacterSetOf(field.Page));
}

std::string VersionAsShown(const ConfigField& field, std::string_view major, std::string_view minor)
{
    return DecodeToUtf8(ConfigVersionText(major, minor), CharacterSetOf(field.Page));
}

std::string WallplateName(int wallplate)
{
    const int n = wallplate - 1;
    return {static_cast<char>('A' + n / kPlatesPerLetter), static_cast<char>('1' + n % kPlatesPerLetter)};
}

std::string WallplateCaption(int wallplate)
{
    return joined({WallplateName(wallplate), " - ", wallplate < 10 ? "0" : "", std::to_string(wallplate)});
}

std::optional<int> WallplateFromName(std::string_view name)
{
    if (name.size() != 2)
        return std::nullopt;
    const int letter = std::toupper(static_cast<unsigned char>(name[0])) - 'A';
    const int digit = name[1] - '1';
    if (letter < 0 || letter >= kWallplateCount / kPlatesPerLetter || digit < 0 || digit >= kPlatesPerLetter)
        return std::nullopt;
    return letter * kPlatesPerLetter + digit + 1;
}

bool ZoneFeedsWallplate(const TConfigRecord& record, int zone, int wallplate)
{
    return GetConfigBit(record, layout::wallplateByteOffset(zone, wallplate), layout::wallplateBit(wallplate));
}

bool ReadFieldBit(const TConfigRecord& record, const ConfigField& field)
{
    return GetConfigBit(record, field.Offset, field.Width);
}

void WriteFieldBit(TConfigRecord& record, const ConfigField& field, bool value)
{
    SetConfigBit(record, field.Offset, field.Width, value);
}

} // namespace ostra
