#include "platform/qt/Shell.h"

namespace ostra {

Shell::~Shell() = default;

} // namespace ostra
