#pragma once

namespace ostra::report {

// The application's title: the editor's window and its own questions carry
// it (ui/widgets/ApplicationTitle.h), and a PDF report names it as the
// program that made it.
inline constexpr const char* kApplicationTitle = "Ostra Configuration Utility";

} // namespace ostra::report
