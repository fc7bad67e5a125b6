#pragma once

#include "gif/GIFException.h"
#include "platform/Exception.h"

namespace ostra {

// Memory for an image's pixels could not be had.
class EOutOfMemory : public Exception {
public:
    using Exception::Exception;
    ~EOutOfMemory() override;
};

// A drawing surface could not be created.
class EOutOfResources : public Exception {
public:
    using Exception::Exception;
    ~EOutOfResources() override;
};

// An operation on an image that the image cannot carry out.
class EInvalidGraphicOperation : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
    ~EInvalidGraphicOperation() override;
};

// The silent cancellation: a progress listener raises it to stop the work
// at hand; it is never shown.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
    ~EAbort() override;
};

} // namespace ostra
