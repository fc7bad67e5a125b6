#include "gif/render/CubePalette.h"

namespace ostra {

namespace {

TGIFPalette buildCube()
{
    TGIFPalette cube;
    cube.reserve(kCubeSize);
    for (int r = 0; r < kCubeLevels; ++r)
        for (int g = 0; g < kCubeLevels; ++g)
            for (int b = 0; b < kCubeLevels; ++b)
                cube.append(qRgb(kCubeStep * r, kCubeStep * g, kCubeStep * b));
    return cube;
}

int nearestLevel(std::uint8_t value)
{
    return (value + kCubeStep / 2) / kCubeStep;
}

} // namespace

const TGIFPalette& CubePalette()
{
    static const TGIFPalette cube = buildCube();
    return cube;
}

std::uint8_t NearestCubeIndex(const TGIFColor& color)
{
    return CubeIndex(nearestLevel(color.Red), nearestLevel(color.Green), nearestLevel(color.Blue));
}

} // namespace ostra
