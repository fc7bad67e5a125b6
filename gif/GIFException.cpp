#include "gif/GIFException.h"

namespace ostra {

// Out of line so that the vtables live in one object file.
EInvalidGraphic::~EInvalidGraphic() = default;
GIFException::~GIFException() = default;

} // namespace ostra
