#include "gif/render/RenderErrors.h"

#include <QtGlobal>

namespace ostra {

namespace {

TPainterErrorHandler& painterErrorHandler()
{
    static TPainterErrorHandler handler;
    return handler;
}

std::string messageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

} // namespace

void SetPainterErrorHandler(TPainterErrorHandler handler)
{
    painterErrorHandler() = std::move(handler);
}

void ShowPainterError(std::exception_ptr error)
{
    const std::string message = messageOf(error);
    if (const TPainterErrorHandler& handler = painterErrorHandler())
        handler(message);
    else
        qWarning("%s", message.c_str());
}

EOutOfMemory::~EOutOfMemory() = default;
EOutOfResources::~EOutOfResources() = default;
EInvalidGraphicOperation::~EInvalidGraphicOperation() = default;
EAbort::~EAbort() = default;

} // namespace ostra
