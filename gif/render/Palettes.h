#pragma once

#include "gif/render/CubePalette.h"

namespace ostra {

class TGIFColorMap;
class TGIFImage;
class TGIFSubImage;

// The colour map's entries in order, as a palette.
TGIFPalette PaletteOf(const TGIFColorMap& map);

// The palette a frame is drawn with: that of its bitmap once built; else
// its cached palette; else the CubePalette when frames are dithered; else
// its local colour table's (cached); else the picture's palette.
TGIFPalette FramePalette(TGIFSubImage& frame);

// The picture's palette: that of its composite bitmap; else its cached
// palette; else the CubePalette when frames are dithered; else its global
// colour table's (cached); else the first frame's; empty without frames.
// Raises GIFException "No global or local color table defined" when
// working it out leads back to itself (no table anywhere to take it from).
TGIFPalette PicturePalette(TGIFImage& picture);

} // namespace ostra
