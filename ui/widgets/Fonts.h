#pragma once

#include <QFont>

namespace ostra {

// The window's typefaces. The product was drawn for "MS Sans Serif" and the
// "Terminal" font; these are the nearest installed equivalents at the same
// pixel sizes (Liberation is metric-compatible with the Windows faces,
// DejaVu Sans Mono draws every glyph of code page 437).
QFont WindowFont();       // 11 px, the whole window
QFont BoldWindowFont();   // 11 px bold, headings
QFont ListFont();         // 13 px, the zone and wallplate lists
QFont HelpFont();         // 16 px, the help text
QFont TerminalFont();     // 12 px fixed pitch, the description box
QFont CourierFont();      // 13 px fixed pitch, the card file list

} // namespace ostra
