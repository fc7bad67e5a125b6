#include "gif/render/Palettes.h"

#include "gif/GIFImage.h"
#include "gif/render/FlagScope.h"
#include "gif/render/FrameCache.h"
#include "gif/render/PictureState.h"
#include "gif/render/RenderSettings.h"

namespace ostra {

namespace {

TGIFPalette workOutPicturePalette(TGIFImage& picture, TGIFPictureState& state)
{
    if (FramesDithered(picture))
        return CubePalette();
    if (picture.Header.GlobalColorMap.Count() > 0) {
        state.PicturePalette = PaletteOf(picture.Header.GlobalColorMap);
        return *state.PicturePalette;
    }
    if (picture.Frames.IsEmpty())
        return {};
    return FramePalette(picture.Frames.First());
}

} // namespace

TGIFPalette PaletteOf(const TGIFColorMap& map)
{
    TGIFPalette palette;
    palette.reserve(map.Count());
    for (int i = 0; i < map.Count(); ++i)
        palette.append(qRgb(map[i].Red, map[i].Green, map[i].Blue));
    return palette;
}

TGIFPalette FramePalette(TGIFSubImage& frame)
{
    TGIFFrameCache& cache = FrameCacheOf(frame);
    if (!cache.FrameBitmap.isNull())
        return cache.FrameBitmap.colorTable();
    if (cache.FramePalette)
        return *cache.FramePalette;
    if (frame.Image() != nullptr && FramesDithered(*frame.Image()))
        return CubePalette();
    if (frame.LocalColorMap.Count() > 0) {
        cache.FramePalette = PaletteOf(frame.LocalColorMap);
        return *cache.FramePalette;
    }
    if (frame.Image() == nullptr)
        return {};
    return PicturePalette(*frame.Image());
}

TGIFPalette PicturePalette(TGIFImage& picture)
{
    TGIFPictureState& state = PictureStateOf(picture);
    if (state.CompositeBitmap && !state.CompositePalette.isEmpty())
        return state.CompositePalette;
    if (state.PicturePalette)
        return *state.PicturePalette;
    if (state.PaletteFlag)
        throw GIFException("No global or local color table defined");
    FlagScope working(state.PaletteFlag);
    return workOutPicturePalette(picture, state);
}

} // namespace ostra
