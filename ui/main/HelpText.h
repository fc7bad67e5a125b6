#pragma once

#include <QString>

namespace ostra {

// The user help shown in the main window, compiled into the program.
QString HelpText();

} // namespace ostra
