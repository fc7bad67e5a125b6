#include "gif/differential/GiflibDecoder.h"

#include <gif_lib.h>

#include "support/gif/GiflibMemoryReader.h"

#include <algorithm>
#include <cstring>

namespace ostra::test {
namespace {

std::string errorText(int code)
{
    const char* text = GifErrorString(code);
    return text != nullptr ? text : "giflib error " + std::to_string(code);
}

// DGifSlurp stores the raster of an interlaced frame already in row order
// (giflib 5 reads it pass by pass into the right rows).
GiflibFrame copyFrame(const SavedImage& image)
{
    const GifImageDesc& desc = image.ImageDesc;
    GiflibFrame frame{desc.Left, desc.Top, desc.Width, desc.Height, desc.Interlace, {}};
    const std::size_t count = static_cast<std::size_t>(desc.Width) * static_cast<std::size_t>(desc.Height);
    if (image.RasterBits != nullptr) {
        frame.pixels.assign(image.RasterBits, image.RasterBits + count);
    }
    return frame;
}

} // namespace

GiflibPicture DecodeWithGiflib(std::span<const std::uint8_t> bytes)
{
    GiflibMemoryReader reader{bytes};
    GiflibPicture picture;
    int error = 0;
    GifFileType* file = DGifOpen(&reader, ReadGiflibMemory, &error);
    if (file == nullptr) {
        picture.error = errorText(error);
        return picture;
    }
    picture.screenWidth = file->SWidth;
    picture.screenHeight = file->SHeight;
    if (DGifSlurp(file) == GIF_OK) {
        picture.ok = true;
        for (int i = 0; i < file->ImageCount; ++i) {
            picture.frames.push_back(copyFrame(file->SavedImages[i]));
        }
    } else {
        picture.error = errorText(file->Error);
    }
    DGifCloseFile(file, &error);
    return picture;
}

} // namespace ostra::test
