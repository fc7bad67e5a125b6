#include "gif/GIFHeader.h"

#include "gif/ByteOrder.h"
#include "gif/GIFException.h"
#include "gif/Stream.h"

#include <array>
#include <cctype>

namespace ostra {

namespace {

constexpr std::size_t kSignatureSize = 6;    // "GIF" + version ("87a", "89a", ...)
constexpr std::int64_t kSignatureRetrySkip = 4;
constexpr std::size_t kScreenDescriptorSize = 7;

bool readsGIF(const std::array<std::uint8_t, kSignatureSize>& signature)
{
    static constexpr char kGIF[] = "GIF";
    for (std::size_t i = 0; i < 3; ++i)
        if (std::toupper(signature[i]) != kGIF[i])
            return false;
    return true;
}

} // namespace

int TGIFHeader::RequiredVersion() const
{
    return GlobalColorMap.Sorted || AspectRatio != 0 ? 2 : 1;
}

// Signature, then the logical screen descriptor:
//
//   +0 "GIF"  +3 version (not examined)
//   +6 screen width (u16 LE)  +8 screen height (u16 LE)
//   +10 packed fields  +11 background colour index  +12 aspect ratio
//
// Some files carry 4 bytes in front of the signature; a second try after
// skipping them finds it there.
void TGIFHeader::LoadFromStream(TStream& stream)
{
    const std::int64_t start = stream.Position();
    std::array<std::uint8_t, kSignatureSize> signature{};
    ReadExact(stream, signature.data(), signature.size());
    if (!readsGIF(signature)) {
        stream.SetPosition(start);
        stream.Seek(kSignatureRetrySkip);
        ReadExact(stream, signature.data(), signature.size());
        if (!readsGIF(signature))
            throw GIFException("Invalid GIF signature");
    }

    std::array<std::uint8_t, kScreenDescriptorSize> descriptor{};
    ReadExact(stream, descriptor.data(), descriptor.size());
    ScreenWidth = LittleEndian16(&descriptor[0]);
    ScreenHeight = LittleEndian16(&descriptor[2]);
    PackedFields = descriptor[4];
    BackgroundColorIndex = descriptor[5];
    AspectRatio = descriptor[6];

    if (HasGlobalColorMap())
        GlobalColorMap.LoadFromStream(stream, 2 << (PackedFields & 0x07));
    else
        GlobalColorMap.Clear();
}

} // namespace ostra
