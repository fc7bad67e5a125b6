#pragma once

#include <cstdint>

namespace ostra {

class TGIFSubImage;

// The delay after a frame, in units of FrameDelayUnit: its Graphic Control
// Extension's Delay, or DefaultFrameDelay when it has none or 0; at least
// ShortestFrameDelay; at most LongestFrameDelay when painting synchronously.
int FrameDelayUnits(const TGIFSubImage& frame, bool synchronous);

// How long to wait before the next frame, in milliseconds:
// (delay x FrameDelayUnit - lateness / 2) x 100 / animationSpeed, so that
// half of the time the painter lost since its last wait is made up. May be
// negative (nothing to wait). animationSpeed must be above 0.
std::int64_t FrameWaitMilliseconds(int delayUnits, std::int64_t latenessMilliseconds, int animationSpeed);

} // namespace ostra
