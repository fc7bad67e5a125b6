#pragma once

#include "gif/Graphic.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ostra {

class TGIFHeader;
class TGIFSubImage;
class TStream;

// One colour table entry, in the stream's byte order.
struct TGIFColor {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const TGIFColor&, const TGIFColor&) = default;
};
static_assert(sizeof(TGIFColor) == 3, "colour tables are read straight into the entries");

// A colour table of up to 256 entries.
class TGIFColorMap : public TPersistent {
public:
    static constexpr int kMaxColors = 256;

    virtual void ReportWarning(int severity, const std::string& message) = 0;

    // Empties the map and reads count entries (3 bytes each) exactly.
    void LoadFromStream(TStream& stream, int count);
    void Clear();

    // The entry as a 24-bit colour value, red in the low byte. An index
    // outside the map warns "Invalid color index" and answers entry 0;
    // an empty map then raises "Color table is empty".
    std::uint32_t ColorAt(int index);

    int Count() const { return count_; }
    int Capacity() const { return static_cast<int>(entries_.size()); }
    // 0 for an empty map, else the smallest b >= 1 with 2^b >= Count.
    int BitsPerPixel() const;
    const TGIFColor& operator[](int index) const { return entries_[static_cast<std::size_t>(index)]; }
    const TGIFColor* Entries() const { return entries_.data(); }

    // Ordered by importance; false after reading (only colour optimising sets it).
    bool Sorted = false;

protected:
    TGIFColorMap() = default;

private:
    void reserveEntries(int count);

    std::vector<TGIFColor> entries_;
    int count_ = 0;
};

// The global colour table, owned by the header.
class TGIFGlobalColorMap final : public TGIFColorMap {
public:
    explicit TGIFGlobalColorMap(TGIFHeader& header) : header_(header) {}
    void ReportWarning(int severity, const std::string& message) override;

private:
    TGIFHeader& header_;
};

// A frame's local colour table, owned by the frame.
class TGIFLocalColorMap final : public TGIFColorMap {
public:
    explicit TGIFLocalColorMap(TGIFSubImage& frame) : frame_(frame) {}
    void ReportWarning(int severity, const std::string& message) override;

private:
    TGIFSubImage& frame_;
};

} // namespace ostra
