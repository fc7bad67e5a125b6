// The LZW decoder of GIF image data, one step at a time: variable-width
// codes (up to 12 bits) packed least significant bit first into data
// sub-blocks of up to 255 bytes, a string table of 4096 entries, a clear
// and an end code.
#include "gif/LZWDecoder.h"

#include "gif/GIFException.h"
#include "gif/SubBlockReader.h"

namespace ostra {

TLZWDecoder::TLZWDecoder(TSubBlockSource& source, std::uint8_t minimumCodeSize, WarningSink warnings)
    : warnings_(std::move(warnings)), source_(source), MinimumCodeSize(minimumCodeSize)
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
// warns of the under-run once the terminator has been read, and answers
// -1 silently when the input simply stopped.
int TLZWDecoder::readCodeAfterRefill(int width)
{
    if (DataExhausted) {
        if (BitPosition >= BitLimit)
            warn("Decoder bit buffer under-run");
        return -1;
    }
    if (!refillBuffer())
        return -1;
    while (BitPosition + width > BitLimit && !DataExhausted && BufferEnd > 2 && refillBuffer()) {
    }
    return takeCode(Buffer, BitPosition, width);
}

// Puts the next sub-block behind the last two bytes of the previous one:
//
//   Buffer: [prev n-2] [prev n-1] [the new sub-block's data ...]
//
// Answers false, changing nothing, when the input has ended where a
// sub-block should start. A sub-block cut short by the end of the input
// is used as far as it goes.
bool TLZWDecoder::refillBuffer()
{
    // Kept aside first: the new data may land on them.
    const std::uint8_t carried[2] = {Buffer[BufferEnd - 2], Buffer[BufferEnd - 1]};
    const TSubBlockSource::TSubBlock block = source_.NextSubBlock(Buffer + 2);
    switch (block.Kind) {
    case TSubBlockSource::TSubBlockEnd::End:
        return false;
    case TSubBlockSource::TSubBlockEnd::Terminator:
        DataExhausted = true;
        break;
    case TSubBlockSource::TSubBlockEnd::Cut:
        warn("Premature end of data");
        break;
    case TSubBlockSource::TSubBlockEnd::Data:
        break;
    }
    Buffer[0] = carried[0];
    Buffer[1] = carried[1];
    BufferEnd = static_cast<int>(block.Size) + 2;
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

// Whatever follows the end code up to the terminator is passed over.
int TLZWDecoder::decodeEndCode()
{
    EndCodeSeen = true;
    source_.SkipRest();
    return -2;
}

void TLZWDecoder::SkipToTerminator()
{
    source_.SkipRest();
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
