#include "gif/GIFSubImage.h"

#include "gif/ByteOrder.h"
#include "gif/GIFImage.h"
#include "gif/GIFSettings.h"
#include "gif/LZWFrameData.h"
#include "gif/Stream.h"

#include <array>

namespace ostra {

namespace {

constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::size_t kImageDescriptorSize = 10;

} // namespace

TGIFSubImage::TGIFSubImage(TGIFImage* image)
    : TGIFItem(image), LocalColorMap(*this), Extensions(*image)
{
}

TGIFSubImage::~TGIFSubImage()
{
    // The extensions reach back into the frame while they are freed.
    Extensions.Clear();
    releasePixelMemory();
}

int TGIFSubImage::RequiredVersion() const
{
    return LocalColorMap.Sorted || !Extensions.IsEmpty() ? 2 : 1;
}

void TGIFSubImage::Clear()
{
    Extensions.Clear();
    LocalColorMap.Clear();
    PixelData.clear();
    PixelData.shrink_to_fit();
    releasePixelMemory();
    Width = 0;
    Height = 0;
    Transparent = false;
    GraphicControl = nullptr;
    RenderCache.reset();
}

TGIFColorMap& TGIFSubImage::ActiveColorMap()
{
    if (LocalColorMap.Count() > 0)
        return LocalColorMap;
    if (Image() != nullptr && Image()->Header.GlobalColorMap.Count() > 0)
        return Image()->Header.GlobalColorMap;
    return LocalColorMap;
}

// The extensions that precede the image, then the image itself:
//
//   +0 separator (any byte but ";" and 0 is taken for one)
//   +1 left  +3 top  +5 width  +7 height (u16 LE each)  +9 packed fields
//   [local colour table]  LZW minimum code size  data sub-blocks  0
//
// Extensions followed by the trailer (or by the end of the data) make a
// frame without an image.
void TGIFSubImage::LoadFromStream(TStream& stream)
{
    Clear();
    Extensions.LoadFromStream(stream, *this);
    std::uint8_t next = 0;
    if (!ReadByte(stream, next))
        return;
    stream.Seek(-1);
    if (next == kTrailer || next == 0)
        return;
    readImageDescriptor(stream);
    if (HasLocalColorMap())
        LocalColorMap.LoadFromStream(stream, 2 << (PackedFields & 0x07));
    claimPixelMemory();
    DecodeFrameData(*this, stream);
    if (GIFSettings::RenderOnLoad && RenderFrameOnLoad != nullptr)
        RenderFrameOnLoad(*this);
}

// Before the decoder allocates Width x Height bytes: refused when they
// would take the picture past its memory limit.
void TGIFSubImage::claimPixelMemory()
{
    const std::size_t bytes = std::size_t{Width} * Height;
    if (Image() != nullptr)
        Image()->ClaimPixelMemory(bytes);
    claimedPixelMemory_ = bytes;
}

void TGIFSubImage::releasePixelMemory()
{
    if (Image() != nullptr)
        Image()->ReleasePixelMemory(claimedPixelMemory_);
    claimedPixelMemory_ = 0;
}

void TGIFSubImage::readImageDescriptor(TStream& stream)
{
    std::array<std::uint8_t, kImageDescriptorSize> descriptor{};
    ReadExact(stream, descriptor.data(), descriptor.size());
    Separator = descriptor[0];
    Left = LittleEndian16(&descriptor[1]);
    Top = LittleEndian16(&descriptor[3]);
    Width = LittleEndian16(&descriptor[5]);
    Height = LittleEndian16(&descriptor[7]);
    PackedFields = descriptor[9];
    // A frame without an area takes the whole logical screen.
    if (Width == 0 || Height == 0) {
        Width = Image()->Header.ScreenWidth;
        Height = Image()->Header.ScreenHeight;
        ReportWarning(1, "Image exceeds Logical Screen size");
    }
}

} // namespace ostra
