#pragma once

#include <QImage>

namespace ostra {

// A new, uninitialised image for a frame bitmap: 8 bits per pixel
// (indexed) or 24 (true colour). Raises GIFException "Invalid image
// dimensions" for a width or height of 0 and "Unsupported PixelFormat" for
// other depths, EOutOfMemory "Failed to allocate memory for GIF DIB" when
// the pixels cannot be had.
QImage CreateFrameDIB(int width, int height, int bitsPerPixel);

// The pixels of one row, top row 0. Raises GIFException "Image has no DIB"
// for an image without pixels and EInvalidGraphicOperation "Scan line index
// out of range" for a row outside it.
uchar* ScanLine(QImage& image, int row);

} // namespace ostra
