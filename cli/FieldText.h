#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "cli/FieldValue.h"
#include "config/FieldText.h"

namespace ostra::cli {

using Json = nlohmann::ordered_json;

// How a field's value is written in a document and in diff's lines; a
// value's text itself comes from config/FieldText.h, as show and set take
// it. Every conversion that reads input raises ValueError with the reason;
// the caller adds the place.

Json valueToJson(const ConfigField& field, const FieldValue& value);
FieldValue valueFromJson(const ConfigField& field, const Json& json, OverlongText overlong);

// For diff: a value as the window shows it, texts and versions quoted so
// that leading spaces and empty texts show, wallplates between brackets.
std::string valueForDiff(const ConfigField& field, const FieldValue& value);

} // namespace ostra::cli
