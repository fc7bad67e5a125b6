#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/TextCodec.h"

namespace ostra::cli {

// What a field holds and how it is stored.
enum class FieldKind {
    Text,          // a fixed-width text; Offset, Width, Page
    InstallerLine, // line Index of the installer information, read as one text
    Flag,          // one bit of the option byte or the main-output byte; Offset, Bit
    ScreenMode,    // the Professional bit: "residential" or "professional"
    Wallplates,    // the 36 wallplate bits of zone Index
    Version,       // a two-part version text at Offset; never set by hand
};

// One field of the record under every name the tool gives it. show, export,
// import, set and diff all walk this one catalogue, so a field is named,
// placed and converted in one place.
struct FieldSpec {
    FieldKind Kind;
    std::string Key;     // the name set takes: "zone.3.full"
    std::string Pointer; // its place in a document: "/zones/3/full"
    std::string Label;   // what show and the window call it: "Zone 3 Full Name"
    int Offset = 0;
    int Width = 0; // text width, or the bit of a flag
    int Index = 0; // source, zone or installer line, counted from 1
    CodePageId Page = CodePageId::Cp1252;
    bool Settable = true;
};

const std::vector<FieldSpec>& FieldCatalogue();

const FieldSpec* findFieldByKey(std::string_view key);
const FieldSpec* findFieldByPointer(std::string_view pointer);

// Whether pointer names an object that holds fields ("/zones", "/zones/3").
bool isFieldGroup(std::string_view pointer);

// For a key or pointer that names a numbered group (sources, zones,
// installer lines) with a number outside its range: why it is refused.
// separator is '.' for keys and '/' for pointers.
std::optional<std::string> groupNumberProblem(std::string_view name, char separator);

} // namespace ostra::cli
