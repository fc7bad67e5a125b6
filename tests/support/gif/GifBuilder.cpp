#include "support/gif/GifBuilder.h"

#include <stdexcept>

namespace ostra::test {
namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::uint8_t kGraphicControlLabel = 0xF9;
constexpr std::uint8_t kCommentLabel = 0xFE;
constexpr std::uint8_t kApplicationLabel = 0xFF;
constexpr std::uint8_t kColorTableFlag = 0x80;
constexpr std::uint8_t kInterlacedFlag = 0x40;
constexpr std::uint8_t kColorResolution8Bits = 0x70;

// The interlace passes of GIF89a: (first row, row step).
constexpr int kInterlacePasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

void appendWord(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendSubBlocks(std::vector<std::uint8_t>& out, const std::vector<std::vector<std::uint8_t>>& subBlocks)
{
    for (const auto& block : subBlocks) {
        if (block.size() > 255) {
            throw std::invalid_argument("a sub-block holds at most 255 bytes");
        }
        out.push_back(static_cast<std::uint8_t>(block.size()));
        out.insert(out.end(), block.begin(), block.end());
    }
    out.push_back(0);
}

// The size field N of a table of 2^(N+1) entries that holds count colours.
int tableSizeField(std::size_t count)
{
    if (count > 256) {
        throw std::invalid_argument("a colour table holds at most 256 entries");
    }
    int field = 0;
    while ((std::size_t{2} << field) < count) {
        ++field;
    }
    return field;
}

// Appends the table padded with black to its full 2^(N+1) entries.
void appendColorTable(std::vector<std::uint8_t>& out, const std::vector<Rgb>& colors)
{
    const std::size_t entries = std::size_t{2} << tableSizeField(colors.size());
    for (std::size_t i = 0; i < entries; ++i) {
        const Rgb color = i < colors.size() ? colors[i] : Rgb{};
        out.insert(out.end(), {color.r, color.g, color.b});
    }
}

std::uint8_t colorTableBits(const std::vector<Rgb>& colors)
{
    return colors.empty() ? 0 : static_cast<std::uint8_t>(kColorTableFlag | tableSizeField(colors.size()));
}

std::vector<std::vector<std::uint8_t>> splitText(const std::string& text)
{
    std::vector<std::vector<std::uint8_t>> blocks;
    for (std::size_t at = 0; at < text.size(); at += 255) {
        const std::string part = text.substr(at, 255);
        blocks.emplace_back(part.begin(), part.end());
    }
    return blocks;
}

} // namespace

std::vector<Rgb> TestPalette(int n)
{
    std::vector<Rgb> colors;
    for (int i = 0; i < n; ++i) {
        colors.push_back({static_cast<std::uint8_t>(i * 37), static_cast<std::uint8_t>(i * 101 + 50),
                          static_cast<std::uint8_t>(255 - i)});
    }
    return colors;
}

std::vector<std::uint8_t> InterlaceRows(const std::vector<std::uint8_t>& pixels, int width, int height)
{
    std::vector<std::uint8_t> out;
    out.reserve(pixels.size());
    for (const auto& [first, step] : kInterlacePasses) {
        for (int row = first; row < height; row += step) {
            const auto begin = pixels.begin() + static_cast<std::ptrdiff_t>(row) * width;
            out.insert(out.end(), begin, begin + width);
        }
    }
    return out;
}

GifBuilder& GifBuilder::signature(std::string text)
{
    signature_ = std::move(text);
    return *this;
}

GifBuilder& GifBuilder::screen(std::uint16_t width, std::uint16_t height)
{
    screenWidth_ = width;
    screenHeight_ = height;
    return *this;
}

GifBuilder& GifBuilder::globalColors(int count) { return globalColorTable(TestPalette(count)); }

GifBuilder& GifBuilder::globalColorTable(std::vector<Rgb> colors)
{
    globalColors_ = std::move(colors);
    return *this;
}

GifBuilder& GifBuilder::background(std::uint8_t index)
{
    background_ = index;
    return *this;
}

GifBuilder& GifBuilder::aspectRatio(std::uint8_t value)
{
    aspectRatio_ = value;
    return *this;
}

//  0x21 0xF9 | 4 | packed: disposal<<2, user input<<1, transparent | delay (LE) | index | 0
GifBuilder& GifBuilder::graphicControl(const GraphicControl& control)
{
    const auto packed = static_cast<std::uint8_t>((control.disposal & 7) << 2 | (control.userInput ? 2 : 0) |
                                                  (control.transparentIndex ? 1 : 0));
    body_.insert(body_.end(), {kExtensionIntroducer, kGraphicControlLabel, 4, packed});
    appendWord(body_, control.delay);
    body_.insert(body_.end(), {control.transparentIndex.value_or(0), 0});
    return *this;
}

GifBuilder& GifBuilder::comment(const std::string& text) { return extension(kCommentLabel, splitText(text)); }

//  0x21 0xFF | 11 "NETSCAPE2.0" | 3 1 loops (LE) | 0
GifBuilder& GifBuilder::loop(std::uint16_t loops)
{
    return application("NETSCAPE2.0", {{1, static_cast<std::uint8_t>(loops & 0xFF), static_cast<std::uint8_t>(loops >> 8)}});
}

GifBuilder& GifBuilder::application(const std::string& identifier, const std::vector<std::vector<std::uint8_t>>& subBlocks)
{
    body_.insert(body_.end(), {kExtensionIntroducer, kApplicationLabel, static_cast<std::uint8_t>(identifier.size())});
    body_.insert(body_.end(), identifier.begin(), identifier.end());
    appendSubBlocks(body_, subBlocks);
    return *this;
}

GifBuilder& GifBuilder::extension(std::uint8_t label, const std::vector<std::vector<std::uint8_t>>& subBlocks)
{
    body_.insert(body_.end(), {kExtensionIntroducer, label});
    appendSubBlocks(body_, subBlocks);
    return *this;
}

//  0x2C | left top width height (LE) | packed: table, interlace, size | [local table] | image data
GifBuilder& GifBuilder::frame(const Frame& frame)
{
    if (!frame.imageData && frame.pixels.size() != static_cast<std::size_t>(frame.width) * frame.height) {
        throw std::invalid_argument("a frame needs width x height pixels");
    }
    body_.push_back(kImageSeparator);
    for (const std::uint16_t value : {frame.left, frame.top, frame.width, frame.height}) {
        appendWord(body_, value);
    }
    body_.push_back(static_cast<std::uint8_t>(colorTableBits(frame.localColors) | (frame.interlaced ? kInterlacedFlag : 0)));
    if (!frame.localColors.empty()) {
        appendColorTable(body_, frame.localColors);
    }
    const std::vector<std::uint8_t> data =
        frame.imageData ? *frame.imageData
                        : EncodeImageData(frame.interlaced ? InterlaceRows(frame.pixels, frame.width, frame.height) : frame.pixels,
                                          frame.lzw);
    body_.insert(body_.end(), data.begin(), data.end());
    return *this;
}

GifBuilder& GifBuilder::raw(const std::vector<std::uint8_t>& bytes)
{
    body_.insert(body_.end(), bytes.begin(), bytes.end());
    return *this;
}

GifBuilder& GifBuilder::noTrailer()
{
    trailer_ = false;
    return *this;
}

//  "GIF89a" | screen width height (LE) | packed | background | aspect | [global table]
std::vector<std::uint8_t> GifBuilder::header() const
{
    std::vector<std::uint8_t> out(signature_.begin(), signature_.end());
    appendWord(out, screenWidth_);
    appendWord(out, screenHeight_);
    const std::uint8_t packed = colorTableBits(globalColors_);
    out.push_back(static_cast<std::uint8_t>(packed | (globalColors_.empty() ? 0 : kColorResolution8Bits)));
    out.insert(out.end(), {background_, aspectRatio_});
    if (!globalColors_.empty()) {
        appendColorTable(out, globalColors_);
    }
    return out;
}

std::vector<std::uint8_t> GifBuilder::build() const
{
    std::vector<std::uint8_t> out = header();
    out.insert(out.end(), body_.begin(), body_.end());
    if (trailer_) {
        out.push_back(kTrailer);
    }
    return out;
}

} // namespace ostra::test
