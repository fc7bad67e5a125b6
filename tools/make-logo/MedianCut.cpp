#include "MedianCut.h"

#include <algorithm>
#include <array>

namespace ostra::logo {

namespace {

using Channel = int (*)(QRgb);
constexpr std::array<Channel, 3> kChannels = {qRed, qGreen, qBlue};

struct Box {
    std::vector<QRgb> Pixels;

    int range(Channel channel) const
    {
        const auto [low, high] = std::minmax_element(Pixels.begin(), Pixels.end(),
                                                     [&](QRgb a, QRgb b) { return channel(a) < channel(b); });
        return channel(*high) - channel(*low);
    }

    // The channel of the widest range and that range.
    std::pair<Channel, int> widest() const
    {
        std::pair<Channel, int> best{kChannels[0], -1};
        for (Channel channel : kChannels)
            if (const int r = range(channel); r > best.second)
                best = {channel, r};
        return best;
    }

    QRgb mean() const
    {
        std::array<long, 3> sums{};
        for (QRgb pixel : Pixels)
            for (std::size_t c = 0; c < kChannels.size(); ++c)
                sums[c] += kChannels[c](pixel);
        const long n = static_cast<long>(Pixels.size());
        return qRgb(static_cast<int>((sums[0] + n / 2) / n), static_cast<int>((sums[1] + n / 2) / n),
                    static_cast<int>((sums[2] + n / 2) / n));
    }
};

// The box to split next: the widest range, the fuller box among equals.
std::vector<Box>::iterator boxToSplit(std::vector<Box>& boxes)
{
    auto best = boxes.end();
    int bestRange = 0;
    for (auto box = boxes.begin(); box != boxes.end(); ++box) {
        const int r = box->widest().second;
        if (r > bestRange || (r == bestRange && r > 0 && box->Pixels.size() > best->Pixels.size())) {
            best = box;
            bestRange = r;
        }
    }
    return best;
}

// Orders by one channel; ties are broken by the whole colour, so the
// order never depends on the sort algorithm.
struct ChannelOrder {
    Channel channel;
    bool operator()(QRgb a, QRgb b) const { return channel(a) != channel(b) ? channel(a) < channel(b) : a < b; }
};

// Splits at the median of the widest channel, keeping all pixels of one
// colour on the same side of the cut.
Box splitOff(Box& box)
{
    const ChannelOrder order{box.widest().first};
    std::sort(box.Pixels.begin(), box.Pixels.end(), order);
    auto middle = box.Pixels.begin() + static_cast<std::ptrdiff_t>(box.Pixels.size() / 2);
    while (middle != box.Pixels.begin() && *(middle - 1) == *middle)
        --middle;
    if (middle == box.Pixels.begin())
        middle = std::upper_bound(box.Pixels.begin(), box.Pixels.end(), box.Pixels.front(), order);
    Box upper{{middle, box.Pixels.end()}};
    box.Pixels.erase(middle, box.Pixels.end());
    return upper;
}

int brightness(QRgb c)
{
    return 299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c);
}

} // namespace

std::vector<QRgb> MedianCutPalette(std::span<const QRgb> pixels, int count)
{
    if (pixels.empty())
        return {};
    std::vector<Box> boxes{{{pixels.begin(), pixels.end()}}};
    while (static_cast<int>(boxes.size()) < count) {
        const auto box = boxToSplit(boxes);
        if (box == boxes.end())
            break;
        Box upper = splitOff(*box);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes)
        palette.push_back(box.mean());
    std::sort(palette.begin(), palette.end(), [](QRgb a, QRgb b) {
        return brightness(a) != brightness(b) ? brightness(a) < brightness(b) : a < b;
    });
    return palette;
}

std::uint8_t NearestIndex(const std::vector<QRgb>& palette, QRgb color)
{
    std::size_t best = 0;
    int bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = qRed(palette[i]) - qRed(color);
        const int dg = qGreen(palette[i]) - qGreen(color);
        const int db = qBlue(palette[i]) - qBlue(color);
        const int distance = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return static_cast<std::uint8_t>(best);
}

} // namespace ostra::logo
