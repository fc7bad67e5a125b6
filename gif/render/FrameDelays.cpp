#include "gif/render/FrameDelays.h"

#include "gif/GIFSubImage.h"
#include "gif/render/RenderSettings.h"

#include <algorithm>

namespace ostra {

int FrameDelayUnits(const TGIFSubImage& frame, bool synchronous)
{
    int delay = frame.GraphicControl != nullptr ? frame.GraphicControl->Delay : 0;
    if (delay == 0)
        delay = GIFSettings::DefaultFrameDelay;
    delay = std::max(delay, GIFSettings::ShortestFrameDelay);
    if (synchronous)
        delay = std::min(delay, GIFSettings::LongestFrameDelay);
    return delay;
}

std::int64_t FrameWaitMilliseconds(int delayUnits, std::int64_t latenessMilliseconds, int animationSpeed)
{
    const std::int64_t wait = std::int64_t{delayUnits} * GIFSettings::FrameDelayUnit - latenessMilliseconds / 2;
    return wait * 100 / animationSpeed;
}

} // namespace ostra
