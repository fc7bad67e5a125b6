#pragma once

#include <string_view>
#include <vector>

#include <QString>

#include "config/ConfigFields.h"

namespace ostra::unit1 {

// A record field and the main window's control that shows it: an edit box,
// a check box, the radio button that means Professional, the label of a
// version, or the check list whose item Index - 1 is a zone's main output.
// The wallplates have no control of their own: CheckListBox1 shows those
// of the zone selected in ListBox1 (ui/ZoneEditor.h).
struct ShownField {
    const ConfigField* Field;
    const char* Control;
};

// Every field but the wallplates with its control, in the order of
// ConfigFields(), as the window's tables (ui/Unit1Tables.h) bind them.
const std::vector<ShownField>& ShownFields();

// The field the named control shows; std::logic_error when it shows none.
const ConfigField& FieldShownIn(std::string_view control);

// A version's label: "Hardware Version: 1.02".
QString VersionCaption(const ConfigField& field, const QString& version);

} // namespace ostra::unit1
