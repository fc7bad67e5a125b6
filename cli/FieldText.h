#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "cli/FieldValue.h"

namespace ostra::cli {

using Json = nlohmann::ordered_json;

// How a field's value is written outside the record: in a document, on the
// command line, in show's listing and in diff's lines. Every conversion
// that reads input raises ValueError with the reason; the caller adds the
// place.

// How long a text may be: the field's width, or any length when the caller
// allows texts to be cut to it.
enum class OverlongText { Refuse, Truncate };

Json valueToJson(const ConfigField& field, const FieldValue& value);
FieldValue valueFromJson(const ConfigField& field, const Json& json, OverlongText overlong);

// set's VALUE: a text as it is, "on"/"off" for a flag, "residential" or
// "professional", a comma-separated list of wallplates ("A1,B2,F6", empty
// for none).
FieldValue valueFromArgument(const ConfigField& field, std::string_view argument, OverlongText overlong);

// As the window shows it: texts as they are (control characters escaped),
// "on"/"off", "Residential"/"Professional", wallplates as the zone editor
// lists them ("A1 - 01, B2 - 08"), versions as "major.minor".
std::string valueForShow(const ConfigField& field, const FieldValue& value);

// For diff: texts quoted so that trailing spaces show.
std::string valueForDiff(const ConfigField& field, const FieldValue& value);

} // namespace ostra::cli
