#include "ui/main/Unit1Fields.h"

#include <map>
#include <stdexcept>
#include <string>

#include "ui/main/Unit1Tables.h"

namespace ostra::unit1 {

namespace {

// Every bound control by the key of the field it shows.
std::map<std::string, const char*, std::less<>> controlsByKey()
{
    std::map<std::string, const char*, std::less<>> controls;
    for (const FieldControl& row : kFieldControls)
        controls.emplace(row.Field, row.Control);
    for (const NamePanel* panel : {&kSourcePanel, &kZonePanel}) {
        for (int i = 0; i < 6; ++i) {
            controls.emplace(GroupFieldKey(*panel->Group, i + 1, &kShortName), panel->Rows[i].ShortName.Name);
            controls.emplace(GroupFieldKey(*panel->Group, i + 1, &kFullName), panel->Rows[i].FullName.Name);
        }
    }
    for (int k = 0; k < layout::kInstallerLineCount; ++k)
        controls.emplace(GroupFieldKey(kInstallerGroup, k + 1), kInstallerLines[k].Name);
    for (int z = 1; z <= layout::kZoneCount; ++z)
        controls.emplace(GroupFieldKey(kZoneGroup, z, &kZoneMainOutput), kMainOutputControl);
    return controls;
}

std::vector<ShownField> bindControls()
{
    const auto controls = controlsByKey();
    std::vector<ShownField> shown;
    for (const ConfigField& field : ConfigFields())
        if (const auto found = controls.find(field.Key); found != controls.end())
            shown.push_back({&field, found->second});
    // A key in the tables that names no field would leave its control empty.
    if (shown.size() != controls.size())
        throw std::logic_error("a control of the main window is bound to no record field");
    return shown;
}

} // namespace

const std::vector<ShownField>& ShownFields()
{
    static const std::vector<ShownField> shown = bindControls();
    return shown;
}

const ConfigField& FieldShownIn(std::string_view control)
{
    for (const ShownField& shown : ShownFields())
        if (control == shown.Control)
            return *shown.Field;
    throw std::logic_error("no record field is shown in " + std::string(control));
}

QString VersionCaption(const ConfigField& field, const QString& version)
{
    return QString::fromStdString(field.Label) + ": " + version;
}

} // namespace ostra::unit1
