#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "config/ConfigFields.h"

namespace ostra::cli {

// The command line names fields by key ("zone.3.full") and documents by
// pointer ("/zones/3/full"), both taken from the record's field table
// (config/ConfigFields.h). These answer what that table does not say
// directly: which pointers name groups of fields, and why a group number
// is refused.

// Whether pointer names an object that holds fields ("/zones", "/zones/3").
bool isFieldGroup(std::string_view pointer);

// For a key or pointer that names a numbered group (sources, zones,
// installer lines) with a number outside its range: why it is refused.
// separator is '.' for keys and '/' for pointers.
std::optional<std::string> groupNumberProblem(std::string_view name, char separator);

} // namespace ostra::cli
