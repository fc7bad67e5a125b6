#pragma once

#include <QByteArray>

namespace ostra {

// The bytes of a file compiled into the program, by its name under
// ":/ostra/"; empty when there is no such file.
QByteArray ReadResource(const char* name);

} // namespace ostra
