#include "platform/Exception.h"

namespace ostra {

// Out of line so that the error kinds share one vtable and type identity
// across libraries.
Exception::~Exception() = default;

} // namespace ostra
