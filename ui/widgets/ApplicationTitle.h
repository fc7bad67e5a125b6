#pragma once

namespace ostra {

// The application's title: the main window's first title, the caption of
// the application's own questions and of its default error box.
inline constexpr const char* kApplicationTitle = "Ostra Configuration Utility";

} // namespace ostra
