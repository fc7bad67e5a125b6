#pragma once

#include <string>

#include <QString>

namespace ostra {

// A path or file name as the user sees it: its bytes read as UTF-8, each
// byte that is not shown as U+FFFD. The bytes themselves stay the name.
QString DisplayName(const std::string& bytes);

// A window title that shows text exactly: Qt reads "[*]" in a title as the
// place of its modified marker, and shows a doubled "[*][*]" as one "[*]".
QString LiteralWindowTitle(const QString& text);

} // namespace ostra
