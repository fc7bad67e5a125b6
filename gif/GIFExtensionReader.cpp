// Reading the extension blocks of a frame:
//
//   0x21 label block... 0x00
//
// Each extension keeps the bytes that follow its introducer and label.
#include "gif/ByteOrder.h"
#include "gif/GIFException.h"
#include "gif/GIFExtensionRegistry.h"
#include "gif/GIFExtensions.h"
#include "gif/GIFSubImage.h"
#include "gif/Stream.h"

#include <array>
#include <cstring>

namespace ostra {

namespace {

constexpr std::uint8_t kExtensionIntroducer = 0x21;
constexpr std::uint8_t kImageSeparator = 0x2C;
constexpr std::uint8_t kTrailer = 0x3B;

// Data sub-blocks as text: one line per sub-block, ending at its first 0
// byte. A missing size byte ends the lines without a word.
std::vector<std::string> readTextSubBlocks(TStream& stream)
{
    std::vector<std::string> lines;
    std::uint8_t size = 0;
    std::array<char, 255> block{};
    while (ReadByte(stream, size) && size != 0) {
        ReadExact(stream, block.data(), size);
        lines.emplace_back(block.data(), strnlen(block.data(), size));
    }
    return lines;
}

} // namespace

void TGIFExtension::readIntroducerAndLabel(TStream& stream)
{
    std::uint8_t bytes[2];
    ReadExact(stream, bytes, sizeof bytes);
    if (bytes[0] != kExtensionIntroducer)
        throw GIFException("Invalid extension introducer");
    if (bytes[1] != ExtensionLabel())
        throw GIFException("Internal error: Extension Instance does not match Extension Label");
}

// The record is always taken as 6 bytes whatever its block size says. A
// short one is tolerated: whatever arrived is kept and reading goes on.
void TGIFGraphicControlExtension::LoadFromStream(TStream& stream)
{
    readIntroducerAndLabel(stream);
    std::array<std::uint8_t, 6> record{BlockSize,
                                       PackedFields,
                                       static_cast<std::uint8_t>(Delay),
                                       static_cast<std::uint8_t>(Delay >> 8),
                                       TransparentColorIndex,
                                       Terminator};
    const std::size_t arrived = ReadUpTo(stream, record.data(), record.size());
    BlockSize = record[0];
    PackedFields = record[1];
    Delay = LittleEndian16(&record[2]);
    TransparentColorIndex = record[4];
    Terminator = record[5];
    if (arrived < record.size())
        ReportWarning(1, "Premature end of data");
    else if (HasTransparentColor())
        SubImage().Transparent = true;
}

//   +0 block size (12, not checked)  +1 left  +3 top  +5 width  +7 height
//   +9 cell width  +10 cell height  +11 foreground index  +12 background index
void TGIFTextExtension::LoadFromStream(TStream& stream)
{
    readIntroducerAndLabel(stream);
    std::array<std::uint8_t, 13> record{};
    ReadExact(stream, record.data(), record.size());
    BlockSize = record[0];
    Left = LittleEndian16(&record[1]);
    Top = LittleEndian16(&record[3]);
    Width = LittleEndian16(&record[5]);
    Height = LittleEndian16(&record[7]);
    CellWidth = record[9];
    CellHeight = record[10];
    ForegroundColorIndex = record[11];
    BackgroundColorIndex = record[12];
    Text = readTextSubBlocks(stream);
}

void TGIFCommentExtension::LoadFromStream(TStream& stream)
{
    readIntroducerAndLabel(stream);
    Text = readTextSubBlocks(stream);
}

// A block of 10 bytes is taken as the identifier without its last byte;
// a longer one keeps its first 11 bytes and the rest is skipped.
void TGIFApplicationExtension::LoadFromStream(TStream& stream)
{
    readIntroducerAndLabel(stream);
    std::uint8_t size = 0;
    ReadExact(stream, &size, 1);
    Identifier.fill(0);
    if (size == 10) {
        ReadExact(stream, Identifier.data(), 10);
    } else if (size < 10) {
        throw GIFException("Unsupported Application Extension block size");
    } else {
        ReadExact(stream, Identifier.data(), Identifier.size());
        stream.Seek(size - static_cast<std::int64_t>(kIdentifierSize));
    }
    LoadAppData(stream);
}

void TGIFUnknownAppExtension::LoadAppData(TStream& stream)
{
    Blocks.clear();
    std::uint8_t size = 0;
    while (ReadByte(stream, size) && size != 0) {
        TGIFBlock block{size, std::vector<std::uint8_t>(size)};
        ReadExact(stream, block.Data.data(), size);
        Blocks.push_back(std::move(block));
    }
}

// Sub-blocks of the looping extension, each: size, identifier, value.
//   identifier & 7 == 1: loop count (u16 LE)
//   identifier & 7 == 2: buffer size (u32 LE)
// Anything else in a sub-block is skipped. A missing size or identifier
// byte counts as 0.
void TGIFAppExtNSLoop::LoadAppData(TStream& stream)
{
    enum : std::uint8_t { kLoopsBlock = 1, kBufferSizeBlock = 2 };
    std::uint8_t size = 0;
    while (ReadByte(stream, size) && size != 0) {
        std::uint8_t identifier = 0;
        ReadByte(stream, identifier);
        std::int64_t rest = size - 1;
        std::uint8_t value[4];
        if ((identifier & 7) == kLoopsBlock) {
            if (size < 3)
                throw GIFException("Invalid GIF data");
            ReadExact(stream, value, 2);
            Loops = LittleEndian16(value);
            rest = size - 3;
        } else if ((identifier & 7) == kBufferSizeBlock) {
            if (size < 5)
                throw GIFException("Invalid GIF data");
            ReadExact(stream, value, 4);
            BufferSize = LittleEndian32(value);
            rest = size - 5;
        }
        if (rest > 0)
            stream.Seek(rest);
    }
}

// Extensions up to the next image descriptor or trailer; the stream is left
// at the byte that ended the list. A 0 byte is not passed over here: it
// ends the list with a warning, and the frame then has no image.
void TGIFExtensionList::LoadFromStream(TStream& stream, TPersistent& parent)
{
    TGIFSubImage& frame = dynamic_cast<TGIFSubImage&>(parent);
    std::uint8_t b = 0;
    if (!ReadByte(stream, b))
        return;
    while (b != kImageSeparator && b != kTrailer) {
        if (b != kExtensionIntroducer) {
            ReportWarning(1, "Invalid extension introducer");
            break;
        }
        const TGIFExtensionClass* cls = FindExtensionClass(stream);
        if (cls == nullptr)
            throw GIFException("Unknown extension type");
        stream.Seek(-1);
        std::unique_ptr<TGIFExtension> extension = cls->Create(frame);
        extension->LoadFromStream(stream);
        Add(std::move(extension));
        if (!ReadByte(stream, b))
            return;
    }
    stream.Seek(-1);
}

} // namespace ostra
