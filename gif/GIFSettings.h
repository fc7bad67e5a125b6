#pragma once

#include <cstddef>

// Settings of the GIF library, one set for the whole program.
namespace ostra::GIFSettings {

// When true every frame's bitmap is built right after its data is decoded
// (by the renderer's RenderFrameOnLoad, when a renderer has installed
// one); the reader also passes it on as the redraw flag of its progress.
inline bool RenderOnLoad = false;

// Bytes of pixel data one picture may hold across all its frames. A frame
// whose pixels would take the picture past it is refused, before anything
// is allocated for it, with "Image exceeds memory limit": a file of a few
// bytes can declare frames of 65535 x 65535 pixels.
inline constexpr std::size_t kDefaultMemoryLimit = std::size_t{512} << 20;
inline std::size_t MemoryLimit = kDefaultMemoryLimit;

} // namespace ostra::GIFSettings
