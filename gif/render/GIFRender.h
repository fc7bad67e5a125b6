#pragma once

// Drawing GIF pictures with Qt: everything a window needs.
//
//   InitializeGIFRendering();              // once, after the QApplication
//   Draw(picture, painter, rect);          // in paintEvent: the whole picture into rect
//
// A picture of one frame is drawn at once. A picture of several frames is
// animated by a painter thread that composes the frames in the picture's
// composite bitmap; Draw shows the composite. A widget that shows an
// animation repaints after every frame:
//
//   picture.AfterPaintHandler = [widget](TGIFPainter&) { widget->update(); };
//
// (A widget can only be painted inside its paint event, so DrawDirect,
// which paints the caller's device from the painter, suits images and
// pixmaps rather than widgets.)
#include "gif/GIFImage.h"
#include "gif/render/Drawing.h"
#include "gif/render/GIFPainter.h"
#include "gif/render/RenderSettings.h"
