// The LZW decoder of GIF image data: variable-width codes (up to 12 bits)
// packed least significant bit first into data sub-blocks of up to 255
// bytes, a string table of 4096 entries, a clear and an end code.
#include "gif/LZWDecoder.h"

#include "gif/GIFException.h"
#include "gif/GIFSubImage.h"
#include "gif/Stream.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace ostra {

namespace {

// Rows of an interlaced frame: every 8th row from 0, every 8th from 4,
// every 4th from 2, every 2nd from 1.
struct TInterlacePass {
    int Start;
    int Step;
};
constexpr TInterlacePass kInterlacePasses[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};

// The code of width bits at bitPosition, assembled from up to three
// buffered bytes, least significant bit first.
inline int takeCode(const std::uint8_t* buffer, int& bitPosition, int width)
{
    const int first = bitPosition >> 3;
    std::uint32_t bits = 0;
    if constexpr (std::endian::native == std::endian::little)
        std::memcpy(&bits, buffer + first, sizeof bits); // the buffer is padded for this load
    else
        bits = std::uint32_t{buffer[first]} | std::uint32_t{buffer[first + 1]} << 8 |
               std::uint32_t{buffer[first + 2]} << 16;
    const int code = static_cast<int>((bits >> (bitPosition & 7)) & ((1u << width) - 1));
    bitPosition += width;
    return code;
}

std::uint8_t fillValue(const TGIFSubImage& frame)
{
    if (frame.Transparent && frame.GraphicControl != nullptr)
        return frame.GraphicControl->TransparentColorIndex;
    return 0;
}

// Fills PixelData in row order, or in interlace order, until the data runs
// out or the end code arrives; the rest keeps the fill value.
void decodePixels(TLZWDecoder& decoder, TGIFSubImage& frame)
{
    std::uint8_t* const pixels = frame.PixelData.data();
    const std::size_t width = frame.Width;
    int stop = 0;
    if (!frame.Interlaced()) {
        decoder.DecodePixels(pixels, width * frame.Height, stop);
        return;
    }
    for (const TInterlacePass& pass : kInterlacePasses)
        for (int row = pass.Start; row < frame.Height; row += pass.Step) {
            decoder.DecodePixels(pixels + static_cast<std::size_t>(row) * width, width, stop);
            if (stop != 0)
                return;
        }
}

} // namespace

void DecodeFrameData(TGIFSubImage& frame, TStream& stream)
{
    frame.PixelData.assign(static_cast<std::size_t>(frame.Width) * frame.Height, fillValue(frame));
    std::uint8_t minimumCodeSize = 0;
    if (!ReadByte(stream, minimumCodeSize))
        return;
    TLZWDecoder decoder(frame, stream, minimumCodeSize);
    // One value more is requested after the pixels in every case: in a
    // well-formed frame it is the end code, whose handling moves the stream
    // past the terminator.
    try {
        decodePixels(decoder, frame);
    } catch (...) {
        try {
            decoder.NextPixelValue();
        } catch (...) {
            // The first error is the one to report.
        }
        throw;
    }
    decoder.NextPixelValue();
    decoder.SkipToTerminator();
}

TLZWDecoder::TLZWDecoder(TGIFSubImage& frame, TStream& stream, std::uint8_t minimumCodeSize)
    : frame_(frame), stream_(stream), MinimumCodeSize(minimumCodeSize)
{
    if (minimumCodeSize > kMaxMinimumCodeSize)
        throw GIFException("Invalid LZW code size");
    ClearCode = 1 << MinimumCodeSize;
    EndCode = ClearCode + 1;
    NextFreeCode = ClearCode + 2;
    CodeLimit = 2 * ClearCode;
    CodeSize = MinimumCodeSize + 1;
}

// Pushes the string of code onto the stack, last byte first. A code not
// yet in the table (or any larger one) stands for the previous string
// followed by its own first byte. Answers the string's first byte, or -1
// when the expansion leads back into itself: an entry that is its own
// prefix, or a longer cycle that fills the stack.
inline int TLZWDecoder::pushString(int code, int& sp, int firstCode, int oldCode, int nextFreeCode, int clearCode)
{
    if (code >= nextFreeCode) {
        Stack[--sp] = static_cast<std::uint8_t>(firstCode);
        code = oldCode;
    }
    while (code >= clearCode) {
        const int prefix = Prefix[code];
        if (sp == 0 || prefix == code) {
            if (sp != 0)
                Stack[--sp] = Suffix[code];
            return -1;
        }
        Stack[--sp] = Suffix[code];
        code = prefix;
    }
    if (sp == 0)
        return -1;
    Stack[--sp] = Suffix[code];
    return Suffix[code];
}

// Moves up to count bytes of the string on the stack to out; answers how many.
inline std::size_t TLZWDecoder::popString(std::uint8_t* out, std::size_t count, int& sp)
{
    const std::size_t n = std::min(static_cast<std::size_t>(kStackSize - sp), count);
    if (n <= kShortString) {
        // Byte by byte: a wide load right after the byte stores that built
        // the string would wait for them to drain.
        for (std::size_t i = 0; i < n; ++i)
            out[i] = Stack[sp + static_cast<int>(i)];
    } else {
        std::memcpy(out, Stack + sp, n);
    }
    sp += static_cast<int>(n);
    return n;
}

// The string of oldCode followed by firstByte becomes the next entry while
// the table has room. The width grows right after entry 2^codeSize - 1 is
// added, up to 12 bits; a full table stays as it is until a clear code.
inline void TLZWDecoder::addEntry(int oldCode, int firstByte, int& nextFreeCode, int& codeLimit, int& codeSize)
{
    if (nextFreeCode >= kTableSize)
        return;
    Prefix[nextFreeCode] = static_cast<std::uint16_t>(oldCode);
    Suffix[nextFreeCode] = static_cast<std::uint8_t>(firstByte);
    ++nextFreeCode;
    if (nextFreeCode >= codeLimit && codeLimit < kTableSize) {
        codeLimit *= 2;
        ++codeSize;
    }
}

void TLZWDecoder::raiseCircularEntry()
{
    throw GIFException("Circular decoder table entry");
}

int TLZWDecoder::ReadCode(int width)
{
    // Every frame starts with a clear code, whether its data has one or not.
    if (FirstCall) {
        FirstCall = false;
        return ClearCode;
    }
    // A code that would end exactly at the last buffered bit refills first.
    if (BitPosition + width >= BitLimit)
        return readCodeAfterRefill(width);
    return takeCode(Buffer, BitPosition, width);
}

// Refills the buffer, then takes the code. Sub-blocks as short as one byte
// may leave fewer bits than a wide code needs; the buffer is refilled until
// the code is complete or the data has ended. A code cut off by the end of
// the data is taken from whatever the buffer holds; the request after it
// warns of the under-run.
int TLZWDecoder::readCodeAfterRefill(int width)
{
    if (DataExhausted) {
        if (BitPosition >= BitLimit)
            frame_.ReportWarning(1, "Decoder bit buffer under-run");
        return -1;
    }
    do {
        if (!refillBuffer())
            return -1;
    } while (BitPosition + width > BitLimit && !DataExhausted && BufferEnd > 2 && stream_.Remaining() > 0);
    return takeCode(Buffer, BitPosition, width);
}

// Reads the next sub-block behind the last two bytes of the previous one:
//
//   Buffer: [prev n-2] [prev n-1] [count bytes of the new sub-block ...]
//
// Answers false when the stream has no count byte left.
bool TLZWDecoder::refillBuffer()
{
    Buffer[0] = Buffer[BufferEnd - 2];
    Buffer[1] = Buffer[BufferEnd - 1];
    std::uint8_t count = 0;
    if (!ReadByte(stream_, count))
        return false;
    if (count == 0) {
        DataExhausted = true;
        TerminatorSeen = true;
    } else {
        const std::int64_t left = stream_.Remaining();
        if (left < count) {
            frame_.ReportWarning(1, "Premature end of data");
            count = static_cast<std::uint8_t>(left);
        }
        if (count != 0)
            ReadExact(stream_, Buffer + 2, count);
    }
    BufferEnd = count + 2;
    BitPosition = BitPosition - BitLimit + 16;
    BitLimit = 8 * BufferEnd;
    return true;
}

int TLZWDecoder::NextPixelValue()
{
    if (StackTop < kStackSize)
        return Stack[StackTop++];
    return DecodeNextCode();
}

void TLZWDecoder::resetTable()
{
    for (int i = 0; i < ClearCode; ++i)
        Suffix[i] = static_cast<std::uint8_t>(i);
    std::memset(Suffix + ClearCode, 0, sizeof Suffix - static_cast<std::size_t>(ClearCode));
    std::memset(Prefix, 0, sizeof Prefix);
}

// Starts a new table. Runs of clear codes are passed over; the code after
// them is a pixel value as it stands, without a table look-up.
int TLZWDecoder::decodeClearCode()
{
    resetTable();
    CodeSize = MinimumCodeSize + 1;
    CodeLimit = 2 * ClearCode;
    NextFreeCode = ClearCode + 2;
    StackTop = kStackSize;
    int code = 0;
    do {
        code = ReadCode(CodeSize);
    } while (code == ClearCode);
    // A negative code ends the frame; no later code is read.
    if (code >= 0) {
        FirstCode = code;
        OldCode = code;
    }
    return code;
}

int TLZWDecoder::decodeEndCode()
{
    EndCodeSeen = true;
    if (!TerminatorSeen)
        skipDataSubBlocks();
    return -2;
}

// Count byte, that many bytes, ... up to a count of 0 or the end of the stream.
void TLZWDecoder::skipDataSubBlocks()
{
    std::uint8_t count = 0;
    while (ReadByte(stream_, count) && count != 0)
        stream_.Seek(count);
}

void TLZWDecoder::SkipToTerminator()
{
    if (!DataExhausted && !EndCodeSeen)
        skipDataSubBlocks();
    DataExhausted = true;
}

int TLZWDecoder::DecodeNextCode()
{
    if (EndCodeSeen)
        return -2;
    const int code = ReadCode(CodeSize);
    if (code < 0)
        return code;
    if (code == ClearCode)
        return decodeClearCode();
    if (code == EndCode)
        return decodeEndCode();

    const int first = pushString(code, StackTop, FirstCode, OldCode, NextFreeCode, ClearCode);
    if (first < 0)
        raiseCircularEntry();
    FirstCode = first;
    addEntry(OldCode, FirstCode, NextFreeCode, CodeLimit, CodeSize);
    OldCode = code;
    return Stack[StackTop++];
}

// Stores values as repeated NextPixelValue calls would. The common case,
// a table code or literal inside the buffered bits, runs in decodeRun;
// everything else (the first call, clear and end codes, refills) takes one
// exact step through NextPixelValue.
std::size_t TLZWDecoder::DecodePixels(std::uint8_t* out, std::size_t count, int& stop)
{
    stop = 0;
    std::size_t done = 0;
    while (done < count) {
        done += decodeRun(out + done, count - done);
        if (done == count)
            break;
        const int value = NextPixelValue();
        if (value < 0) {
            stop = value;
            break;
        }
        out[done++] = static_cast<std::uint8_t>(value);
    }
    return done;
}

// The hot state lives in locals (stores into out may alias any member) and
// each string leaves the stack in one copy. Stops before a code that needs
// the exact path, with the stack empty, or when count values are stored.
std::size_t TLZWDecoder::decodeRun(std::uint8_t* out, std::size_t count)
{
    if (FirstCall || EndCodeSeen)
        return 0;
    std::size_t done = 0;
    int sp = StackTop;
    int bitPosition = BitPosition;
    int codeSize = CodeSize;
    int nextFreeCode = NextFreeCode;
    int codeLimit = CodeLimit;
    int firstCode = FirstCode;
    int oldCode = OldCode;
    const int bitLimit = BitLimit;
    const int clearCode = ClearCode;
    const auto save = [&] {
        StackTop = sp;
        BitPosition = bitPosition;
        CodeSize = codeSize;
        NextFreeCode = nextFreeCode;
        CodeLimit = codeLimit;
        FirstCode = firstCode;
        OldCode = oldCode;
    };

    for (;;) {
        if (sp != kStackSize)
            done += popString(out + done, count - done, sp);
        if (done == count || bitPosition + codeSize >= bitLimit)
            break;
        const int peekPosition = bitPosition;
        const int code = takeCode(Buffer, bitPosition, codeSize);
        if (code == clearCode || code == clearCode + 1) {
            bitPosition = peekPosition; // read again by the exact path
            break;
        }
        if (code < clearCode) {
            // A literal: its one-byte string goes straight out.
            firstCode = Suffix[code];
            out[done++] = static_cast<std::uint8_t>(firstCode);
            addEntry(oldCode, firstCode, nextFreeCode, codeLimit, codeSize);
            oldCode = code;
            continue;
        }
        firstCode = pushString(code, sp, firstCode, oldCode, nextFreeCode, clearCode);
        if (firstCode < 0) {
            save();
            raiseCircularEntry();
        }
        addEntry(oldCode, firstCode, nextFreeCode, codeLimit, codeSize);
        oldCode = code;
    }
    save();
    return done;
}

} // namespace ostra
