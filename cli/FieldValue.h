#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <variant>

#include "cli/FieldCatalogue.h"
#include "config/ConfigRecord.h"

namespace ostra::cli {

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

// The bits of each record byte that some field's value decides.
using OwnedBits = std::array<std::uint8_t, layout::kRecordSize>;

// The value as the window reads it from the record.
FieldValue readField(const TConfigRecord& record, const ConfigField& field);

// Stores the value as the window's gather does: a text padded with spaces
// (or cut) to its width, a bit among bits that keep their values.
void writeField(TConfigRecord& record, const ConfigField& field, const FieldValue& value);

// Marks the bits that the value decides. A text shorter than its field
// decides only its own characters: what follows (a NUL and whatever came
// after it in the file, or plain padding) is for the carried bytes to say.
void markOwnedBits(const ConfigField& field, const FieldValue& value, OwnedBits& owned);

} // namespace ostra::cli
