#include "gif/render/RenderErrors.h"

namespace ostra {

EOutOfMemory::~EOutOfMemory() = default;
EOutOfResources::~EOutOfResources() = default;
EInvalidGraphicOperation::~EInvalidGraphicOperation() = default;
EAbort::~EAbort() = default;

} // namespace ostra
