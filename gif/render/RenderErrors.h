#pragma once

#include "gif/GIFException.h"
#include "platform/Exception.h"

#include <exception>
#include <functional>
#include <string>

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

// Shows the error an asynchronous painter kept when its run ended; called
// on the user-interface thread, from the queued call that frees the
// painter. The application installs its error box here; without one the
// text goes to Qt's warning output.
using TPainterErrorHandler = std::function<void(const std::string& message)>;
void SetPainterErrorHandler(TPainterErrorHandler handler);
void ShowPainterError(std::exception_ptr error);

} // namespace ostra
