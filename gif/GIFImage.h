#pragma once

#include "gif/GIFDrawSettings.h"
#include "gif/GIFException.h"
#include "gif/GIFExtensions.h"
#include "gif/GIFHeader.h"
#include "gif/GIFRenderCache.h"
#include "gif/GIFSubImage.h"
#include "gif/Graphic.h"
#include "gif/Stream.h"

#include <cstddef>
#include <memory>
#include <string>

namespace ostra {

// A GIF picture (GIF87a or GIF89a): the header and the frames read from a
// stream. Its width and height are those of the logical screen.
//
//   TGIFImage picture;
//   TMemoryStream stream(bytes);
//   picture.LoadFromStream(stream);      // raises GIFException
//   for (TGIFSubImage& frame : picture.Frames) use(frame.PixelData);
class TGIFImage : public TGraphic, public TGIFDrawSettings {
public:
    static constexpr const char* kClassName = "TGIFImage";

    TGIFImage();
    ~TGIFImage() override;

    // Replaces everything the picture held by the picture at the stream's
    // position. On success the stream stands after the trailer (or where
    // reading stopped); on an error it is set back to where the load began
    // and the picture keeps the header and the frames completed before it.
    void LoadFromStream(TStream& stream) override;
    void LoadFromFile(const std::string& path);
    // Frees every frame, empties the global colour map, zero screen size.
    void Clear();

    int Width() const override { return Header.ScreenWidth; }
    int Height() const override { return Header.ScreenHeight; }
    bool Empty() const override { return Frames.IsEmpty(); }

    // The one path of every warning of the picture's items, lists and maps:
    // passed to WarningHandler when one is installed, else dropped.
    void Warning(TPersistent& sender, int severity, const std::string& message);

    // The pixel memory of the frames, against GIFSettings::MemoryLimit: a
    // frame claims its bytes before it allocates them and gives them back
    // when its pixels go. A claim that would take the picture past the
    // limit raises GIFException "Image exceeds memory limit".
    void ClaimPixelMemory(std::size_t bytes);
    void ReleasePixelMemory(std::size_t bytes);
    std::size_t PixelMemory() const { return pixelMemory_; }

    TGIFHeader Header;
    TGIFImageList Frames;
    TGIFWarning WarningHandler;
    // The renderer's painters, composite bitmap and palette; the picture
    // is drawn by the renderer's Draw(picture, canvas, rect).
    std::unique_ptr<TGIFPictureRenderState> RenderState;

private:
    void readContents(TStream& stream);
    std::size_t pixelMemory_ = 0;
};

} // namespace ostra
