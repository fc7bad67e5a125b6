#pragma once

#include <string>
#include <vector>

#include "config/FieldText.h"

namespace ostra::cli {

// One KEY=VALUE of set, checked and converted.
struct Assignment {
    const ConfigField* Field = nullptr;
    FieldValue Value;
};

// Raises InputRefused naming every argument that cannot be applied: no
// "=", an unknown key, a number outside its group, a field that is never
// set by hand, a key given twice, or a value the field cannot take.
std::vector<Assignment> parseAssignments(const std::vector<std::string>& arguments, OverlongText overlong);

// The record a save from the window writes after these edits: a blank
// record opens as all zeros, the software version is stamped, and every
// field is gathered, the edited ones with their new values. Bytes no field
// owns keep their values.
TConfigRecord applyAssignments(const TConfigRecord& loaded, const std::vector<Assignment>& assignments);

} // namespace ostra::cli
