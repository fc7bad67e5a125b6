// The LZW decoder of GIF image data, one step at a time: variable-width
// codes (up to 12 bits) packed least significant bit first into data
// sub-blocks of up to 255 bytes, a string table of 4096 entries, a clear
// and an end code.
#include "gif/LZWDecoder.h"

#include "gif/GIFException.h"
#include "gif/Stream.h"

namespace ostra {

TLZWDecoder::TLZWDecoder(TStream& stream, std::uint8_t minimumCodeSize, WarningSink warnings)
    : warnings_(std::move(warnings)), stream_(stream), MinimumCodeSize(minimumCodeSize)
{
    if (minimumCodeSize > kMaxMinimumCodeSize)
        throw GIFException("Invalid LZW code size");
    ClearCode = 1 << MinimumCodeSize;
    EndCode = ClearCode + 1;
    NextFreeCode = ClearCode + 2;
    CodeLimit = 2 * ClearCode;
    CodeSize = MinimumCodeSize + 1;
    Table.Initialize(ClearCode);
}

void TLZWDecoder::warn(const char* text)
{
    if (warnings_)
        warnings_(1, text);
}

// Pushes the string of code onto the stack, last value first. A code not
// yet in the table (or any larger one) stands for the previous string
// followed by its own first value. Answers the string's first value, or -1
// when the expansion leads back into itself: an entry that is its own
// prefix, or a longer cycle that fills the stack.
//
// An entry at or past NextFreeCode has not been added since the last
// clear code, which empties it: it reads as prefix 0, value 0, whatever
// the table still holds there.
int TLZWDecoder::pushString(int code)
{
    int sp = StackTop;
    if (code >= NextFreeCode) {
        if (sp == 0)
            return -1;
        Stack[--sp] = static_cast<std::uint16_t>(FirstCode);
        code = OldCode;
    }
    while (code >= ClearCode) {
        const bool added = code < NextFreeCode;
        const int prefix = added ? Table.Prefix(code) : 0;
        const auto suffix = static_cast<std::uint16_t>(added ? Table.Suffix(code) : 0);
        if (sp == 0 || prefix == code) {
            if (sp != 0)
                Stack[--sp] = suffix;
            StackTop = sp;
            return -1;
        }
        Stack[--sp] = suffix;
        code = prefix;
    }
    StackTop = sp;
    if (sp == 0)
        return -1;
    Stack[--StackTop] = static_cast<std::uint16_t>(Table.Suffix(code));
    return Table.Suffix(code);
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
            warn("Decoder bit buffer under-run");
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
            warn("Premature end of data");
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

// Starts a new table. Runs of clear codes are passed over; the code after
// them is a pixel value as it stands, without a table look-up.
int TLZWDecoder::decodeClearCode()
{
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

    const int first = pushString(code);
    if (first < 0)
        throw GIFException("Circular decoder table entry");
    FirstCode = first;
    addEntry(OldCode, FirstCode, NextFreeCode, CodeLimit, CodeSize);
    OldCode = code;
    return Stack[StackTop++];
}

} // namespace ostra
