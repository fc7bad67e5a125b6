#include "ui/startup/FontConfigWarmUp.h"

#include <system_error>

#include <fontconfig/fontconfig.h>

namespace ostra {

FontConfigWarmUp::FontConfigWarmUp()
{
    try {
        loader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error&) {
        // No thread to spare: Qt loads the configuration itself, as it
        // would have without this.
    }
}

FontConfigWarmUp::~FontConfigWarmUp()
{
    if (loader_.joinable())
        loader_.join();
}

} // namespace ostra
