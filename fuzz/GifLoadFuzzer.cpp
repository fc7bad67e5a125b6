// libFuzzer target: any bytes loaded as a GIF picture. Besides the
// sanitizers' findings it traps on broken promises of the reader: a frame
// whose pixels are not width x height, a picture holding more pixels than
// the memory limit allows, a failed load that does not put the stream back
// where it began. Any error other than GIFException (std::bad_alloc
// included) leaves the target and is a finding.
#include "gif/GIFImage.h"
#include "gif/GIFSettings.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace {

// A small limit keeps each run short: frames of many megapixels are
// refused by the reader instead of being filled.
constexpr std::size_t kMemoryLimit = std::size_t{16} << 20;

// Reads every pixel, so that a frame whose buffer is shorter than it claims
// shows up under AddressSanitizer.
std::uint32_t touchPixels(const ostra::TGIFImage& picture)
{
    std::uint32_t sum = 0;
    std::size_t held = 0;
    for (const ostra::TGIFSubImage& frame : picture.Frames) {
        held += frame.PixelData.size();
        if (!frame.PixelData.empty() &&
            frame.PixelData.size() != static_cast<std::size_t>(frame.Width) * frame.Height) {
            __builtin_trap();
        }
        for (const std::uint8_t pixel : frame.PixelData) {
            sum += pixel;
        }
    }
    if (held > kMemoryLimit) {
        __builtin_trap();
    }
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ostra::GIFSettings::MemoryLimit = kMemoryLimit;
    ostra::TGIFImage picture;
    int warnings = 0;
    picture.WarningHandler = [&warnings](ostra::TPersistent&, int, const std::string&) { ++warnings; };
    ostra::TMemoryStream stream(std::span<const std::uint8_t>(data, size));
    try {
        picture.LoadFromStream(stream);
    } catch (const ostra::GIFException&) {
        if (stream.Position() != 0) {
            __builtin_trap();
        }
    }
    volatile std::uint32_t sink = touchPixels(picture) + static_cast<std::uint32_t>(warnings);
    (void)sink;
    return 0;
}
