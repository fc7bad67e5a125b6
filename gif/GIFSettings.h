#pragma once

// Settings of the GIF library, one set for the whole program.
namespace ostra::GIFSettings {

// When true every frame's bitmap is to be built right after its data is
// decoded; the reader passes it on as the redraw flag of its progress.
inline bool RenderOnLoad = false;

} // namespace ostra::GIFSettings
