#include "gif/GIFImage.h"
#include "gif/GIFSettings.h"

#include <cmath>

namespace ostra {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

// Bytes of value 0 between blocks are padding.
bool readNonZeroByte(TStream& stream, std::uint8_t& value)
{
    while (ReadByte(stream, value))
        if (value != 0)
            return true;
    return false;
}

// Share of the stream read so far, rounded to the nearest percent (ties to even).
int percentRead(const TStream& stream)
{
    const std::int64_t size = stream.Size();
    if (size <= 0)
        return 0;
    return static_cast<int>(std::nearbyint(static_cast<double>(stream.Position()) * 100.0 / static_cast<double>(size)));
}

} // namespace

// Frames up to the trailer, which is left for the trailer's own read. The
// end of the data between blocks ends the list without a word.
void TGIFImageList::LoadFromStream(TStream& stream, TPersistent& parent)
{
    TGIFImage& picture = dynamic_cast<TGIFImage&>(parent);
    std::uint8_t b = 0;
    if (!readNonZeroByte(stream, b))
        return;
    while (b != kTrailer) {
        stream.Seek(-1);
        if (b != kExtensionIntroducer && b != kImageSeparator) {
            ReportWarning(1, "Unknown GIF block type");
            return;
        }
        auto frame = std::make_unique<TGIFSubImage>(&picture);
        frame->LoadFromStream(stream);
        Add(std::move(frame));
        picture.Progress(*this, TProgressStage::Running, percentRead(stream), GIFSettings::RenderOnLoad, TRect{},
                         "Loading...");
        if (!readNonZeroByte(stream, b))
            return;
    }
    stream.Seek(-1);
}

// Bytes after the trailer are not read; a missing trailer is not reported.
void TGIFTrailer::LoadFromStream(TStream& stream)
{
    std::uint8_t b = 0;
    if (ReadByte(stream, b) && b != kTrailer)
        ReportWarning(1, "Invalid Image trailer");
}

} // namespace ostra
