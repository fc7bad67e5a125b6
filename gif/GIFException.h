#pragma once

#include "platform/Exception.h"

#include <string>

namespace ostra {

// A picture's data could not be read or turned into an image.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
    ~EInvalidGraphic() override;
};

// Every error raised by the GIF library; carries the text shown to the user.
class GIFException : public EInvalidGraphic {
public:
    using EInvalidGraphic::EInvalidGraphic;
    ~GIFException() override;
};

} // namespace ostra
