#include "config/ConfigRecord.h"

#include <algorithm>
#include <span>
#include <stdexcept>

namespace ostra {

namespace {

// The one bounds check for every field access: a field must lie inside the
// record, whatever offset and width a caller passes.
template <typename Record>
auto field(Record& record, int offset, int width)
{
    if (offset < 0 || width < 0 || offset > layout::kRecordSize - width)
        throw std::out_of_range("configuration field outside the record");
    return std::span(record).subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(width));
}

std::uint8_t bitMask(int bit)
{
    if (bit < 0 || bit > 7)
        throw std::out_of_range("configuration bit outside its byte");
    return static_cast<std::uint8_t>(1u << bit);
}

} // namespace

void ZeroConfig(TConfigRecord& record)
{
    record.fill(0);
}

void BlankConfig(TConfigRecord& record)
{
    ZeroConfig(record);
    std::ranges::fill(field(record, layout::kDescriptionOffset, layout::kDescriptionWidth), layout::kTextPadding);
    record[layout::kBlankMarkerOffset] = layout::kBlankMarker;
}

bool IsBlankConfig(const TConfigRecord& record)
{
    return record[layout::kBlankMarkerOffset] == layout::kBlankMarker;
}

std::string ReadConfigText(const TConfigRecord& record, int offset, int width)
{
    const auto bytes = field(record, offset, width);
    const auto end = std::ranges::find(bytes, layout::kTextTerminator);
    return std::string(bytes.begin(), end);
}

void WriteConfigText(TConfigRecord& record, int offset, int width, std::string_view text)
{
    const auto bytes = field(record, offset, width);
    const auto copied = std::min(text.size(), bytes.size());
    std::ranges::copy(text.substr(0, copied), bytes.begin());
    std::ranges::fill(bytes.subspan(copied), layout::kTextPadding);
}

// The installer information is one text over all four lines, so a NUL in
// one line also empties every line after it.
std::string ReadInstallerLine(const TConfigRecord& record, int line)
{
    if (line < 1 || line > layout::kInstallerLineCount)
        throw std::out_of_range("installer line outside 1 to 4");
    const std::string text = ReadConfigText(record, layout::kInstallerInfoOffset, layout::kInstallerInfoWidth);
    const auto start = static_cast<std::size_t>(layout::kInstallerLineWidth * (line - 1));
    if (start >= text.size())
        return {};
    return text.substr(start, layout::kInstallerLineWidth);
}

bool GetConfigBit(const TConfigRecord& record, int offset, int bit)
{
    return (field(record, offset, 1)[0] & bitMask(bit)) != 0;
}

void SetConfigBit(TConfigRecord& record, int offset, int bit, bool value)
{
    auto& byte = field(record, offset, 1)[0];
    const std::uint8_t mask = bitMask(bit);
    byte = static_cast<std::uint8_t>(value ? byte | mask : byte & ~mask);
}

void StampSoftwareVersion(TConfigRecord& record)
{
    using namespace layout;
    WriteConfigText(record, versionMajorOffset(kSoftwareVersionOffset), kVersionPartWidth, kStampedMajor);
    WriteConfigText(record, versionMinorOffset(kSoftwareVersionOffset), kVersionPartWidth, kStampedMinor);
}

std::string ConfigVersionText(const TConfigRecord& record, int offset)
{
    using namespace layout;
    return ConfigVersionText(ReadConfigText(record, versionMajorOffset(offset), kVersionPartWidth),
                             ReadConfigText(record, versionMinorOffset(offset), kVersionPartWidth));
}

std::string ConfigVersionText(std::string_view major, std::string_view minor)
{
    std::string text(major);
    text += '.';
    text += minor;
    return text;
}

} // namespace ostra
