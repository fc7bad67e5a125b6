#pragma once

#include "gif/GIFColorMap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace ostra {

// Floyd-Steinberg error diffusion to the 216-colour cube, fed one pixel at
// a time in serpentine order: even rows (counting from 0) left to right,
// odd rows right to left. The error of a pixel goes 7/16 to the next pixel
// of the row and 3/16, 5/16 and 1/16 to the pixels behind, below and ahead
// in the next row.
//
// The ditherer keeps its own position in the row and moves it only for the
// pixels it is given. A pixel the caller leaves out (a transparent one)
// therefore does not consume the error waiting for it: the next pixel that
// is dithered picks it up.
class TCubeDitherer {
public:
    explicit TCubeDitherer(int width);

    // Starts the given row at its first pixel in that row's direction.
    void StartRow(int row);
    bool LeftToRight() const { return direction_ > 0; }

    // Dithers the next pixel of the row and answers its cube index.
    std::uint8_t Dither(const TGIFColor& color);

private:
    // Accumulated errors in sixteenths, red, green, blue.
    using Error = std::array<int, 3>;

    int width_;
    int direction_ = 1;
    int position_ = 0;
    // One slot of padding at either end takes the error that leaves the row.
    std::vector<Error> thisRow_;
    std::vector<Error> nextRow_;
};

} // namespace ostra
