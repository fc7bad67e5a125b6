#pragma once

#include "cli/FieldText.h"
#include "config/ConfigRecord.h"

namespace ostra::cli {

// The document's own format name; a later layout would take another.
inline constexpr const char* kDocumentFormat = "ostra-cfg/1";

// Every field by name, texts decoded through their code page, and the bytes
// no field decides as hex runs with their offsets:
//
//   { "format": "ostra-cfg/1", "blank": false, "description": "Hall",
//     "mode": "residential", "options": { "blanking": true, ... },
//     "sources": { "1": { "short": "TV  ", "full": "Television   " }, ... },
//     "zones": { "1": { "short": ..., "full": ..., "wallplates": ["A1"],
//                       "main": true }, ... },
//     "installer": { "1": "...", ... },
//     "hardware_version": { "major": "1", "minor": "08" },
//     "software_version": { "major": " 1", "minor": "01" },
//     "carried": [ { "offset": 412, "hex": "0a0b" } ] }
//
// A blank record holds no settings: its document has no fields, and its
// carried bytes are those that differ from Clear's pattern.
Json recordToDocument(const TConfigRecord& record);

// The record a document describes, byte for byte. A field left out stays
// as in an all-zero record. Raises InputRefused naming the place of every
// problem: an unknown key, a number outside its group, a value of the
// wrong kind, a text too long (unless cutting is allowed) or with a
// character outside its code page, a malformed or overlapping hex run, a
// carried byte that a field owns, a document that would turn blank.
TConfigRecord documentToRecord(const Json& document, OverlongText overlong);

// A description whose first byte is the blank marker would make the whole
// file blank; the reason such a value is refused, or nothing.
std::optional<std::string> blankMarkerProblem(const ConfigField& field, const FieldValue& value);

} // namespace ostra::cli
