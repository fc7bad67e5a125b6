#include "gif/GifBytes.h"

#include <algorithm>

namespace ostra::test {

Bytes Join(std::initializer_list<Bytes> pieces)
{
    Bytes all;
    for (const Bytes& piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

LoadResult Load(TGIFImage& picture, const Bytes& bytes)
{
    LoadResult result;
    picture.WarningHandler = [&](TPersistent&, int severity, const std::string& message) {
        result.Warnings.push_back({severity, message});
    };
    TMemoryStream stream{std::span<const std::uint8_t>(bytes)};
    try {
        picture.LoadFromStream(stream);
    } catch (const GIFException& e) {
        result.Error = e.Message;
    }
    result.Position = stream.Position();
    return result;
}

std::vector<std::string> Texts(const std::vector<Warning>& warnings)
{
    std::vector<std::string> texts;
    for (const Warning& w : warnings)
        texts.push_back(w.Message);
    return texts;
}

Bytes Header(std::uint16_t width, std::uint16_t height, int tableBits)
{
    Bytes bytes{'G', 'I', 'F', '8', '9', 'a',
                static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
                static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8),
                static_cast<std::uint8_t>(tableBits < 0 ? 0 : 0x80 | tableBits), 0, 0};
    if (tableBits >= 0)
        for (int i = 0; i < (2 << tableBits); ++i)
            bytes.insert(bytes.end(), 3, static_cast<std::uint8_t>(i * 16));
    return bytes;
}

Bytes ImageDescriptor(std::uint16_t width, std::uint16_t height, std::uint8_t packed)
{
    return {0x2C, 0, 0, 0, 0,
            static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(width >> 8),
            static_cast<std::uint8_t>(height), static_cast<std::uint8_t>(height >> 8), packed};
}

Bytes PackCodes(const std::vector<Code>& codes)
{
    Bytes bytes;
    int bit = 0;
    for (const Code& code : codes) {
        for (int i = 0; i < code.Width; ++i, ++bit) {
            if (bit % 8 == 0)
                bytes.push_back(0);
            if ((code.Value >> i) & 1)
                bytes.back() |= static_cast<std::uint8_t>(1 << (bit % 8));
        }
    }
    return bytes;
}

Bytes SubBlocks(const Bytes& data, std::size_t size)
{
    Bytes blocks;
    for (std::size_t at = 0; at < data.size(); at += size) {
        const std::size_t n = std::min(size, data.size() - at);
        blocks.push_back(static_cast<std::uint8_t>(n));
        blocks.insert(blocks.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                      data.begin() + static_cast<std::ptrdiff_t>(at + n));
    }
    blocks.push_back(0);
    return blocks;
}

Bytes OneFramePicture(std::uint16_t width, std::uint16_t height, const Bytes& imageData, std::uint8_t packed)
{
    return Join({Header(width, height), ImageDescriptor(width, height, packed), imageData, {0x3B}});
}

Bytes TwoByTwoImageData()
{
    // The width grows to 4 bits once entry 7 is added (after the code for 2).
    const Bytes codes = PackCodes({{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {5, 4}});
    return Join({{0x02}, SubBlocks(codes, 255)});
}

} // namespace ostra::test
