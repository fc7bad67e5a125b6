#include "platform/qt/FileDialogs.h"

namespace ostra {

FileDialogs::~FileDialogs() = default;

} // namespace ostra
