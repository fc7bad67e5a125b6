#pragma once

#include <bitset>
#include <string>
#include <variant>

#include "config/ConfigFields.h"
#include "config/ConfigRecord.h"

namespace ostra {

using WallplateSet = std::bitset<layout::kWallplateCount>; // bit w-1: wallplate w

// The two texts of a version, as bytes.
struct VersionText {
    std::string Major;
    std::string Minor;
    bool operator==(const VersionText&) const = default;
};

// A field's value: the bytes of a text (not yet decoded), a bit (flags and
// the screen mode, true for Professional), the wallplates of a zone, or a
// version.
using FieldValue = std::variant<std::string, bool, WallplateSet, VersionText>;

// The value as the window reads it from the record.
FieldValue ReadFieldValue(const TConfigRecord& record, const ConfigField& field);

// Stores the value as the window's gather does: a text padded with spaces
// (or cut) to its width, a bit among bits that keep their values.
void WriteFieldValue(TConfigRecord& record, const ConfigField& field, const FieldValue& value);

} // namespace ostra
