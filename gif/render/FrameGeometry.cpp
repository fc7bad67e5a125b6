#include "gif/render/FrameGeometry.h"

#include "gif/GIFImage.h"

#include <cstdlib>

namespace ostra {

int MulDivRound(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return 0;
    const std::int64_t product = std::int64_t{number} * numerator;
    const std::int64_t half = std::abs(std::int64_t{denominator}) / 2;
    const bool negative = (product < 0) != (denominator < 0);
    const std::int64_t magnitude = (std::abs(product) + half) / std::abs(std::int64_t{denominator});
    return static_cast<int>(negative ? -magnitude : magnitude);
}

QRect MapFrameRect(const QRect& frame, const QSize& screen, const QRect& rect)
{
    if (screen.isEmpty())
        return {};
    const int left = rect.left() + MulDivRound(frame.left(), rect.width(), screen.width());
    const int top = rect.top() + MulDivRound(frame.top(), rect.height(), screen.height());
    const int right = rect.left() + MulDivRound(frame.left() + frame.width(), rect.width(), screen.width());
    const int bottom = rect.top() + MulDivRound(frame.top() + frame.height(), rect.height(), screen.height());
    return QRect(left, top, right - left, bottom - top);
}

std::vector<QRect> TileRects(const QRect& frame, const QSize& screen, const QRect& rect)
{
    std::vector<QRect> tiles;
    if (screen.isEmpty())
        return tiles;
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    for (int y = rect.top() + frame.top(); y < bottom; y += screen.height())
        for (int x = rect.left() + frame.left(); x < right; x += screen.width())
            tiles.emplace_back(x, y, frame.width(), frame.height());
    return tiles;
}

std::vector<QRect> FrameDestinationRects(const TGIFSubImage& frame, const QRect& rect, bool tile)
{
    const QRect area(frame.Left, frame.Top, frame.Width, frame.Height);
    const TGIFImage* picture = frame.Image();
    const QSize screen = picture != nullptr ? QSize(picture->Width(), picture->Height()) : QSize();
    if (tile)
        return TileRects(area, screen, rect);
    return {MapFrameRect(area, screen, rect)};
}

} // namespace ostra
