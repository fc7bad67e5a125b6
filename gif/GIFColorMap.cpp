#include "gif/GIFColorMap.h"

#include "gif/GIFException.h"
#include "gif/GIFImage.h"
#include "gif/Stream.h"

#include <algorithm>

namespace ostra {

namespace {

// Room for the writing side's one-by-one additions: 16 entries, then
// multiples of 32, never more than 256.
int capacityFor(int count)
{
    if (count <= 16)
        return 16;
    return std::min((count + 31) / 32 * 32, TGIFColorMap::kMaxColors);
}

} // namespace

void TGIFColorMap::Clear()
{
    entries_.clear();
    entries_.shrink_to_fit();
    count_ = 0;
    Sorted = false;
}

void TGIFColorMap::reserveEntries(int count)
{
    entries_.assign(static_cast<std::size_t>(capacityFor(count)), TGIFColor{});
}

void TGIFColorMap::LoadFromStream(TStream& stream, int count)
{
    Clear();
    reserveEntries(count);
    ReadExact(stream, entries_.data(), static_cast<std::size_t>(count) * sizeof(TGIFColor));
    count_ = count;
}

std::uint32_t TGIFColorMap::ColorAt(int index)
{
    if (index < 0 || index >= count_) {
        ReportWarning(1, "Invalid color index");
        if (count_ == 0)
            throw GIFException("Color table is empty");
        index = 0;
    }
    const TGIFColor& c = entries_[static_cast<std::size_t>(index)];
    return std::uint32_t{c.Red} | std::uint32_t{c.Green} << 8 | std::uint32_t{c.Blue} << 16;
}

int TGIFColorMap::BitsPerPixel() const
{
    if (count_ == 0)
        return 0;
    int bits = 1;
    while ((1 << bits) < count_)
        ++bits;
    return bits;
}

void TGIFGlobalColorMap::ReportWarning(int severity, const std::string& message)
{
    if (TGIFImage* image = header_.Image())
        image->Warning(*this, severity, message);
}

void TGIFLocalColorMap::ReportWarning(int severity, const std::string& message)
{
    if (TGIFImage* image = frame_.Image())
        image->Warning(*this, severity, message);
}

} // namespace ostra
