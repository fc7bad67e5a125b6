#include "cli/FieldCatalogue.h"

#include <algorithm>
#include <charconv>

#include "config/ConfigLayout.h"

namespace ostra::cli {

namespace {

using namespace layout;

// The numbered groups: how a key and a pointer name them, and how many
// there are.
struct NumberedGroup {
    const char* KeyName;
    const char* DocumentName;
    const char* Noun;
    int Count;
};

constexpr NumberedGroup kSources = {"source", "sources", "source", kSourceCount};
constexpr NumberedGroup kZones = {"zone", "zones", "zone", kZoneCount};
constexpr NumberedGroup kInstallerLines = {"installer", "installer", "installer line", kInstallerLineCount};
constexpr NumberedGroup kGroups[] = {kSources, kZones, kInstallerLines};

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

// Name rows of the source and zone panels: the member, its label and where
// each row's field starts.
struct NameColumn {
    const char* Member;
    const char* Label;
    int Width;
    int (*Offset)(int);
};

constexpr NameColumn kSourceColumns[] = {
    {"short", "Short Name", kShortNameWidth, sourceShortNameOffset},
    {"full", "Full Name", kFullNameWidth, sourceFullNameOffset},
};
constexpr NameColumn kZoneColumns[] = {
    {"short", "Short Name", kShortNameWidth, zoneShortNameOffset},
    {"full", "Full Name", kFullNameWidth, zoneFullNameOffset},
};

std::string capitalised(std::string text)
{
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

FieldSpec numbered(FieldKind kind, const NumberedGroup& group, int index, const std::string& member,
                   const std::string& label)
{
    const std::string number = std::to_string(index);
    FieldSpec field{kind, std::string(group.KeyName) + "." + number, "/" + std::string(group.DocumentName) + "/" + number,
                   capitalised(group.Noun) + " " + number};
    if (!member.empty()) {
        field.Key += "." + member;
        field.Pointer += "/" + member;
    }
    if (!label.empty())
        field.Label += " " + label;
    field.Index = index;
    return field;
}

void addNamePanel(std::vector<FieldSpec>& fields, const NumberedGroup& group, const NameColumn (&columns)[2],
                  int index)
{
    for (const NameColumn& column : columns) {
        FieldSpec field = numbered(FieldKind::Text, group, index, column.Member, column.Label);
        field.Offset = column.Offset(index);
        field.Width = column.Width;
        fields.push_back(field);
    }
}

std::vector<FieldSpec> buildCatalogue()
{
    std::vector<FieldSpec> fields;
    fields.push_back({FieldKind::Text, "description", "/description", "Description", kDescriptionOffset,
                      kDescriptionWidth, 0, CodePageId::Cp437});
    fields.push_back({FieldKind::ScreenMode, "mode", "/mode", "Normal Screen", kOptionFlagsOffset,
                      kProfessionalModeBit});
    for (const OptionRow& option : kOptions)
        fields.push_back({FieldKind::Flag, std::string("options.") + option.Name,
                          std::string("/options/") + option.Name, option.Label, kOptionFlagsOffset, option.Bit});
    for (int i = 1; i <= kSourceCount; ++i)
        addNamePanel(fields, kSources, kSourceColumns, i);
    for (int z = 1; z <= kZoneCount; ++z) {
        addNamePanel(fields, kZones, kZoneColumns, z);
        FieldSpec wallplates = numbered(FieldKind::Wallplates, kZones, z, "wallplates", "Wallplates");
        wallplates.Offset = wallplateGroupOffset(z);
        fields.push_back(wallplates);
        FieldSpec main = numbered(FieldKind::Flag, kZones, z, "main", "Main");
        main.Offset = kZoneMainOutputOffset;
        main.Width = zoneMainOutputBit(z);
        fields.push_back(main);
    }
    for (int k = 1; k <= kInstallerLineCount; ++k) {
        FieldSpec line = numbered(FieldKind::InstallerLine, kInstallerLines, k, "", "");
        line.Label = "Installer Information " + std::to_string(k);
        line.Offset = installerLineOffset(k);
        line.Width = kInstallerLineWidth;
        fields.push_back(line);
    }
    fields.push_back({FieldKind::Version, "hardware_version", "/hardware_version", "Hardware Version",
                      kHardwareVersionOffset, kVersionPartWidth, 0, CodePageId::Cp1252, false});
    fields.push_back({FieldKind::Version, "software_version", "/software_version", "Software Version",
                      kSoftwareVersionOffset, kVersionPartWidth, 0, CodePageId::Cp1252, false});
    return fields;
}

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

const std::vector<FieldSpec>& FieldCatalogue()
{
    static const std::vector<FieldSpec> fields = buildCatalogue();
    return fields;
}

const FieldSpec* findFieldByKey(std::string_view key)
{
    for (const FieldSpec& field : FieldCatalogue())
        if (field.Key == key)
            return &field;
    return nullptr;
}

const FieldSpec* findFieldByPointer(std::string_view pointer)
{
    for (const FieldSpec& field : FieldCatalogue())
        if (field.Pointer == pointer)
            return &field;
    return nullptr;
}

bool isFieldGroup(std::string_view pointer)
{
    return std::ranges::any_of(FieldCatalogue(),
                               [pointer](const FieldSpec& field) { return isPrefixOf(pointer, field.Pointer); });
}

std::optional<std::string> groupNumberProblem(std::string_view name, char separator)
{
    if (name.empty())
        return std::nullopt;
    const std::vector<std::string_view> parts = splitName(name, separator);
    if (parts.size() < 2)
        return std::nullopt;
    for (const NumberedGroup& group : kGroups) {
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
