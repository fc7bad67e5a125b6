#pragma once

#include <string>
#include <string_view>

namespace ostra::cli {

// A UTF-8 text made safe for a terminal: control characters (C0, DEL, C1)
// appear as \xNN, so a card cannot send escape sequences to the screen.
std::string terminalSafe(std::string_view utf8);

// terminalSafe between double quotes, with quotes and backslashes escaped,
// so that trailing spaces and empty texts stay visible.
std::string quotedText(std::string_view utf8);

} // namespace ostra::cli
