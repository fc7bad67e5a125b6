#pragma once

#include "CaseResult.h"

#include <string>
#include <vector>

namespace ostra::conformance {

// The pygif suite (folder `pygif` of the suites): every case of its TESTS
// list, each frame's canvas compared with the composited picture the case
// expects, and the screen size, frame count and loop count.
std::vector<CaseResult> RunPygifSuite(const std::string& folder);

// giflib's pictures (folder `giflib`): each `<name>.gif` with a
// `<name>.rgb`, the screen after the last frame compared with it.
std::vector<CaseResult> RunGiflibSuite(const std::string& folder);

} // namespace ostra::conformance
