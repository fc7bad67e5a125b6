#include "platform/qt/MessageBoxes.h"

namespace ostra {

MessageBoxes::~MessageBoxes() = default;

} // namespace ostra
