#pragma once

#include <array>
#include <cstdint>

#include "cli/FieldCatalogue.h"
#include "config/FieldValue.h"

namespace ostra::cli {

// The bits of each record byte that some field's value decides.
using OwnedBits = std::array<std::uint8_t, layout::kRecordSize>;

// Marks the bits that the value decides. A text shorter than its field
// decides only its own characters: what follows (a NUL and whatever came
// after it in the file, or plain padding) is for the carried bytes to say.
void markOwnedBits(const ConfigField& field, const FieldValue& value, OwnedBits& owned);

} // namespace ostra::cli
