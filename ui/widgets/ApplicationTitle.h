#pragma once

#include "report/ApplicationTitle.h"

namespace ostra {

// The application's title: the main window's first title, the caption of
// the application's own questions and of its default error box, and the
// maker a PDF report names.
inline constexpr const char* kApplicationTitle = report::kApplicationTitle;

} // namespace ostra
