#pragma once

#include <string>
#include <string_view>

#include "config/ConfigRecord.h"

namespace ostra {

// What the browser's title and ostra-cfg cards say when no drive holds a
// configuration file (the spelling is the one users have always seen).
inline constexpr const char* kNoCardFilesMessage = "No Files Found on Removeable Drive";

// What a blank file's line shows, and ostra-cfg show for its description.
inline constexpr const char* kBlankConfigDescription = "<Blank Config File>";

// Where a card file's line is shown: it decides which characters the
// description's bytes are shown as (see CardFileDescription).
enum class CardLineScreen {
    BrowserList, // the card file browser's list
    Terminal,    // ostra-cfg cards, as text or as JSON
};

// What a card file's line shows of its record, in UTF-8: the description
// up to its first NUL, or kBlankConfigDescription for a blank file.
std::string CardFileDescription(const TConfigRecord& record, CardLineScreen screen);

// What a card file's line shows of a file that could not be read: the
// error's message in angle brackets, as kBlankConfigDescription stands in
// for a blank description, e.g. "<Read beyond end of file>".
std::string CardFileFailure(std::string_view message);

// One line of a card's file list, in UTF-8: the name between brackets,
// right-aligned to 13 characters so that in a fixed-pitch font the closing
// brackets of all short names stand in one column, then three spaces and
// what is shown of the file. A name of 13 characters or more is not cut.
// Characters are counted as UTF-8 lead bytes, so a name that is no UTF-8
// counts each byte that starts no sequence.
//
//   [     CFG1.CFG]   Living Room
//   [LONGNAME1.CFG]   Hall
std::string CardFileLine(std::string_view name, std::string_view shown);

} // namespace ostra
