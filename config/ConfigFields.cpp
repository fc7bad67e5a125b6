#include "config/ConfigFields.h"

#include <cctype>

#include "config/ConfigLayout.h"

namespace ostra {

namespace {

using namespace layout;

constexpr int kPlatesPerLetter = 6;

constexpr FieldGroup kSources = {"source", "sources", "source", kSourceCount};
constexpr FieldGroup kZones = {"zone", "zones", "zone", kZoneCount};
constexpr FieldGroup kInstallerLines = {"installer", "installer", "installer line", kInstallerLineCount};
constexpr FieldGroup kGroups[] = {kSources, kZones, kInstallerLines};

struct OptionRow {
    const char* Name;
    const char* Label;
    const char* Control;
    int Bit;
};

constexpr OptionRow kOptions[] = {
    {"disable_autoselect", "Disable AutoSelect", "CheckBox1", kDisableAutoSelectBit},
    {"disable_front_panel", "Disable Front Panel", "CheckBox2", kDisableFrontPanelBit},
    {"disable_front_ir", "Disable Front IR", "CheckBox3", kDisableFrontIRBit},
    {"blanking", "Blanking", "CheckBox4", kBlankingBit},
};

// The two name columns of the source and zone panels.
struct NameColumn {
    const char* Member;
    const char* Label;
    int Width;
};

constexpr NameColumn kNameColumns[] = {
    {"short", "Short Name", kShortNameWidth},
    {"full", "Full Name", kFullNameWidth},
};

// A panel of six name rows: where each column's field of row i starts,
// and the window's short and full name boxes of each row.
struct NamePanel {
    const FieldGroup& Group;
    int (*Offsets[2])(int);
    const char* Controls[6][2];
};

constexpr NamePanel kSourceNames = {
    kSources,
    {sourceShortNameOffset, sourceFullNameOffset},
    {{"Edit2", "Edit3"}, {"Edit4", "Edit5"}, {"Edit6", "Edit7"},
     {"Edit8", "Edit9"}, {"Edit10", "Edit11"}, {"Edit12", "Edit13"}},
};
constexpr NamePanel kZoneNames = {
    kZones,
    {zoneShortNameOffset, zoneFullNameOffset},
    {{"Edit18", "Edit19"}, {"Edit20", "Edit21"}, {"Edit22", "Edit23"},
     {"Edit24", "Edit25"}, {"Edit26", "Edit27"}, {"Edit28", "Edit29"}},
};
static_assert(kSourceCount == 6 && kZoneCount == 6);

constexpr const char* kInstallerControls[kInstallerLineCount] = {"Edit14", "Edit15", "Edit16", "Edit17"};

std::string capitalised(std::string text)
{
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

// "zone.3.full", "/zones/3/full", "Zone 3 Full Name" for member "full"
// and label "Full Name"; without a member, the group's number alone.
ConfigField numbered(FieldKind kind, const FieldGroup& group, int index, const std::string& member,
                     const std::string& label)
{
    const std::string number = std::to_string(index);
    ConfigField field{kind, std::string(group.KeyName) + "." + number,
                      "/" + std::string(group.DocumentName) + "/" + number, capitalised(group.Noun) + " " + number};
    if (!member.empty()) {
        field.Key += "." + member;
        field.Pointer += "/" + member;
    }
    if (!label.empty())
        field.Label += " " + label;
    field.Index = index;
    return field;
}

void addNameRow(std::vector<ConfigField>& fields, const NamePanel& panel, int index)
{
    for (int column = 0; column < 2; ++column) {
        ConfigField field = numbered(FieldKind::Text, panel.Group, index, kNameColumns[column].Member,
                                     kNameColumns[column].Label);
        field.Control = panel.Controls[index - 1][column];
        field.Offset = panel.Offsets[column](index);
        field.Width = kNameColumns[column].Width;
        fields.push_back(field);
    }
}

void addZone(std::vector<ConfigField>& fields, int zone)
{
    addNameRow(fields, kZoneNames, zone);
    ConfigField wallplates = numbered(FieldKind::Wallplates, kZones, zone, "wallplates", "Wallplates");
    wallplates.Control = "CheckListBox1";
    wallplates.Offset = wallplateGroupOffset(zone);
    fields.push_back(wallplates);
    ConfigField main = numbered(FieldKind::Flag, kZones, zone, "main", "Main");
    main.Control = "CheckListBox2";
    main.Offset = kZoneMainOutputOffset;
    main.Width = zoneMainOutputBit(zone);
    fields.push_back(main);
}

ConfigField version(const char* key, const char* label, const char* control, int offset)
{
    return {FieldKind::Version, key, std::string("/") + key, label, control, offset, kVersionPartWidth, 0,
            CodePageId::Cp1252, false};
}

std::vector<ConfigField> buildFields()
{
    std::vector<ConfigField> fields;
    fields.push_back({FieldKind::Text, "description", "/description", "Description", "Edit1", kDescriptionOffset,
                      kDescriptionWidth, 0, CodePageId::Cp437});
    fields.push_back({FieldKind::ScreenMode, "mode", "/mode", "Normal Screen", "RadioButton2", kOptionFlagsOffset,
                      kProfessionalModeBit});
    for (const OptionRow& option : kOptions)
        fields.push_back({FieldKind::Flag, std::string("options.") + option.Name,
                          std::string("/options/") + option.Name, option.Label, option.Control, kOptionFlagsOffset,
                          option.Bit});
    for (int i = 1; i <= kSourceCount; ++i)
        addNameRow(fields, kSourceNames, i);
    for (int z = 1; z <= kZoneCount; ++z)
        addZone(fields, z);
    for (int k = 1; k <= kInstallerLineCount; ++k) {
        ConfigField line = numbered(FieldKind::InstallerLine, kInstallerLines, k, "", "");
        line.Label = "Installer Information " + std::to_string(k);
        line.Control = kInstallerControls[k - 1];
        line.Offset = installerLineOffset(k);
        line.Width = kInstallerLineWidth;
        fields.push_back(line);
    }
    fields.push_back(version("hardware_version", "Hardware Version", "Label27", kHardwareVersionOffset));
    fields.push_back(version("software_version", "Software Version", "Label28", kSoftwareVersionOffset));
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

std::string WallplateName(int wallplate)
{
    const int n = wallplate - 1;
    return {static_cast<char>('A' + n / kPlatesPerLetter), static_cast<char>('1' + n % kPlatesPerLetter)};
}

std::string WallplateCaption(int wallplate)
{
    const std::string number = (wallplate < 10 ? "0" : "") + std::to_string(wallplate);
    return WallplateName(wallplate) + " - " + number;
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

bool ReadFieldBit(const TConfigRecord& record, const ConfigField& field)
{
    return GetConfigBit(record, field.Offset, field.Width);
}

void WriteFieldBit(TConfigRecord& record, const ConfigField& field, bool value)
{
    SetConfigBit(record, field.Offset, field.Width, value);
}

} // namespace ostra
