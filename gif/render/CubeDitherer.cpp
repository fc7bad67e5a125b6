#include "gif/render/CubeDitherer.h"

#include "gif/render/CubePalette.h"

#include <algorithm>

namespace ostra {

namespace {

// value + (error + 8) / 16, kept to 0..255. The division truncates, so an
// error of -8 to +7 sixteenths changes nothing.
int correctedValue(int value, int errorSixteenths)
{
    return std::clamp(value + (errorSixteenths + 8) / 16, 0, 255);
}

// Levels 0..5; (value + 3) / 51 puts 48..98 on level 1 and 252..255 on 5.
int cubeLevel(int value)
{
    return (value + 3) / kCubeStep;
}

} // namespace

TCubeDitherer::TCubeDitherer(int width)
    : width_(width), thisRow_(static_cast<std::size_t>(width) + 2), nextRow_(static_cast<std::size_t>(width) + 2)
{
}

void TCubeDitherer::StartRow(int row)
{
    if (row > 0) {
        std::swap(thisRow_, nextRow_);
        std::fill(nextRow_.begin(), nextRow_.end(), Error{});
    }
    direction_ = row % 2 == 0 ? 1 : -1;
    position_ = direction_ > 0 ? 0 : width_ - 1;
}

std::uint8_t TCubeDitherer::Dither(const TGIFColor& color)
{
    const std::array<int, 3> channels{color.Red, color.Green, color.Blue};
    // A row takes at most width pixels; the position stays inside it.
    position_ = std::clamp(position_, 0, width_ - 1);
    // Slots are shifted by one for the padding.
    const auto here = static_cast<std::size_t>(position_ + 1);
    const auto ahead = static_cast<std::size_t>(position_ + 1 + direction_);
    const auto behind = static_cast<std::size_t>(position_ + 1 - direction_);
    std::array<int, 3> levels{};
    for (std::size_t c = 0; c < channels.size(); ++c) {
        const int value = correctedValue(channels[c], thisRow_[here][c]);
        levels[c] = cubeLevel(value);
        const int error = value - kCubeStep * levels[c];
        thisRow_[ahead][c] += 7 * error;
        nextRow_[behind][c] += 3 * error;
        nextRow_[here][c] += 5 * error;
        nextRow_[ahead][c] += 1 * error;
    }
    position_ += direction_;
    return CubeIndex(levels[0], levels[1], levels[2]);
}

} // namespace ostra
