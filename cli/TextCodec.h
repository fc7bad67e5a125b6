#pragma once

#include <string>
#include <string_view>

#include "config/ConfigFields.h"

namespace ostra::cli {

std::string codePageName(CodePageId page);

// A field's bytes as UTF-8, one character per byte.
std::string decodeText(std::string_view bytes, CodePageId page);

// The field bytes of a UTF-8 text. Raises ValueError when the text is not
// UTF-8 or holds a character without a byte in the page.
std::string encodeText(std::string_view utf8, CodePageId page);

// A UTF-8 text made safe for a terminal: control characters (C0, DEL, C1)
// appear as \xNN, so a card cannot send escape sequences to the screen.
std::string terminalSafe(std::string_view utf8);

// terminalSafe between double quotes, with quotes and backslashes escaped,
// so that trailing spaces and empty texts stay visible.
std::string quotedText(std::string_view utf8);

} // namespace ostra::cli
