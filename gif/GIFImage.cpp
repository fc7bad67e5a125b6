#include "gif/GIFImage.h"

#include "gif/GIFSettings.h"

#include <algorithm>
#include <new>

namespace ostra {

TGIFImage::TGIFImage() : Header(this), Frames(*this) {}

TGIFImage::~TGIFImage()
{
    // Painters read the frames: they are stopped before the frames go.
    RenderState.reset();
    Frames.Clear();
}

void TGIFImage::Clear()
{
    if (RenderState)
        RenderState->PictureCleared();
    Frames.Clear();
    Header.GlobalColorMap.Clear();
    Header.ScreenWidth = 0;
    Header.ScreenHeight = 0;
}

void TGIFImage::ClaimPixelMemory(std::size_t bytes)
{
    const std::size_t limit = GIFSettings::MemoryLimit;
    if (pixelMemory_ > limit || bytes > limit - pixelMemory_)
        throw GIFException("Image exceeds memory limit");
    pixelMemory_ += bytes;
}

void TGIFImage::ReleasePixelMemory(std::size_t bytes)
{
    pixelMemory_ -= std::min(bytes, pixelMemory_);
}

void TGIFImage::Warning(TPersistent& sender, int severity, const std::string& message)
{
    if (WarningHandler)
        WarningHandler(sender, severity, message);
}

void TGIFImage::readContents(TStream& stream)
{
    Header.LoadFromStream(stream);
    Frames.LoadFromStream(stream, *this);
    TGIFTrailer trailer(this);
    trailer.LoadFromStream(stream);
}

// Progress: a start (0 %) before anything is dropped, one report per frame
// from the frame list, and an end that carries 100 % after success and 0 %
// when an error is leaving. Memory that cannot be had anywhere in the load
// is the picture being too large for this machine: it leaves as the error
// of a frame over the memory limit, never as std::bad_alloc.
void TGIFImage::LoadFromStream(TStream& stream)
{
    static const std::string kLoading = "Loading...";
    Progress(*this, TProgressStage::Starting, 0, false, TRect{}, kLoading);
    Clear();
    const std::int64_t start = stream.Position();
    const auto failed = [&] {
        stream.SetPosition(start);
        Progress(*this, TProgressStage::Ending, 0, true, TRect{}, kLoading);
    };
    try {
        readContents(stream);
    } catch (const std::bad_alloc&) {
        failed();
        throw GIFException("Image exceeds memory limit");
    } catch (...) {
        failed();
        throw;
    }
    Progress(*this, TProgressStage::Ending, 100, true, TRect{}, kLoading);
}

void TGIFImage::LoadFromFile(const std::string& path)
{
    TFileStream stream(path);
    LoadFromStream(stream);
}

} // namespace ostra
