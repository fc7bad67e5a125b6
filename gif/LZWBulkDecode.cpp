// The LZW decoder's bulk path: many codes per call, each string written
// straight into the output. It takes only the codes whose outcome it can
// produce exactly as the step-by-step path would, and leaves every other
// one, unread, to that path.
#include "gif/LZWDecoder.h"

#include <algorithm>

namespace ostra {

// Moves up to count values of the string on the stack to out, low 8 bits
// each; answers how many.
std::size_t TLZWDecoder::popString(std::uint8_t* out, std::size_t count)
{
    const std::size_t n = std::min(static_cast<std::size_t>(kStackSize - StackTop), count);
    const std::uint16_t* values = Stack + StackTop;
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(values[i]);
    StackTop += static_cast<int>(n);
    return n;
}

int TLZWDecoder::DecodePixels(std::uint8_t* out, std::size_t count, std::size_t& stored)
{
    stored = 0;
    while (stored < count) {
        stored += decodeRun(out + stored, count - stored);
        if (stored == count)
            break;
        const int value = NextPixelValue();
        if (value < 0)
            return value;
        out[stored++] = static_cast<std::uint8_t>(value);
    }
    return 0;
}

// Stops with the stack empty, before a code it leaves to the step-by-step
// path, or when count values are stored.
std::size_t TLZWDecoder::decodeRun(std::uint8_t* out, std::size_t count)
{
    if (FirstCall || EndCodeSeen)
        return 0;
    std::size_t done = 0;
    if (StackTop != kStackSize) {
        done = popString(out, count);
        if (done == count)
            return done;
    }
    return done + (Table.WideValues() ? decodeSettledCodes<true>(out + done, count - done)
                                      : decodeSettledCodes<false>(out + done, count - done));
}

// Decodes codes while each one's outcome is a settled string; answers how
// many values it stored. One instance per kind of value, so that the loop
// tests no flag.
//
// The state lives in locals while codes are decoded: stores into out may
// alias any member, and would otherwise force the members to be reloaded
// after each of them. The block form of the previous code's entry is kept
// as well: the next entry extends it, and a code not yet in the table
// writes it out. It is valid whenever oldCode is below nextFreeCode, the
// only time it is read (an entry behind a later code is unsettled either
// way).
//
// A string goes out whole or not at all: WriteString stores whole blocks,
// so a string is taken here only when its blocks fit in what is left of
// out. The last strings of a run (the end of a row of an interlaced frame,
// the end of the frame) go through the stack instead.
// Kept out of line: inlined into its caller, it runs short of registers.
template <bool WideValues>
[[gnu::noinline]] std::size_t TLZWDecoder::decodeSettledCodes(std::uint8_t* out, std::size_t count)
{
    int bitPosition = BitPosition;
    int codeSize = CodeSize;
    int nextFreeCode = NextFreeCode;
    int firstCode = FirstCode;
    int oldCode = OldCode;
    // A code is taken here only when it ends before the last buffered bit
    // (at it, the step-by-step path refills first).
    int lastCodeStart = BitLimit - codeSize - 1;
    std::uint32_t codeMask = (1u << codeSize) - 1;
    std::uint8_t* dst = out;
    // Up to here any settled string fits; past it each one is measured.
    const std::uint8_t* const roomyEnd =
        count > TLZWStringTable::kLongestStore ? out + (count - TLZWStringTable::kLongestStore) : out;
    TLZWStringTable::TEntry oldEntry{0, 0, TLZWStringTable::kUnsettled};
    if (oldCode < nextFreeCode)
        oldEntry = Table.Entry(oldCode);
    // As addEntry, with the width's limit kept as the mask below it.
    // Answers the new entry's block form; oldEntry when the table is full.
    const auto addEntry = [&]() {
        if (nextFreeCode >= kTableSize)
            return oldEntry;
        const TLZWStringTable::TEntry added = Table.AddAfter<WideValues>(nextFreeCode, oldCode, oldEntry, firstCode);
        if (++nextFreeCode > static_cast<int>(codeMask) && codeSize < kMaxCodeSize) {
            ++codeSize;
            --lastCodeStart;
            codeMask = (1u << codeSize) - 1;
        }
        return added;
    };
    const auto fits = [&](const TLZWStringTable::TEntry& entry, std::size_t extra) {
        return entry.LastIndex != TLZWStringTable::kUnsettled &&
               (dst < roomyEnd ||
                TLZWStringTable::BytesStored(entry) + extra <= count - static_cast<std::size_t>(dst - out));
    };

    // An exhausted output leaves room for no string: the room checks end the loop.
    while (bitPosition <= lastCodeStart) {
        const int code = static_cast<int>((loadCodeBits(Buffer, bitPosition) >> (bitPosition & 7)) & codeMask);
        if (code < nextFreeCode) {
            // A literal or an entry; the clear and end codes and unsettled
            // entries are never settled.
            const TLZWStringTable::TEntry entry = Table.Entry(code);
            if (!fits(entry, 0))
                break;
            const std::uint8_t firstByte = Table.WriteString(entry, dst);
            dst += entry.LastIndex + 1u;
            firstCode = WideValues ? Table.FirstValue(code) : firstByte;
            bitPosition += codeSize;
            addEntry();
            oldEntry = entry;
        } else {
            // A code not yet in the table: the previous code's string
            // followed by the first value decoded last.
            if (oldCode >= nextFreeCode)
                break;
            const TLZWStringTable::TEntry& entry = oldEntry;
            if (!fits(entry, 1))
                break;
            const std::uint8_t firstByte = Table.WriteString(entry, dst);
            dst[entry.LastIndex + 1] = static_cast<std::uint8_t>(firstCode);
            dst += entry.LastIndex + 2u;
            firstCode = WideValues ? Table.FirstValue(oldCode) : firstByte;
            bitPosition += codeSize;
            // Valid as the next oldEntry only when the new entry is code's.
            oldEntry = addEntry();
        }
        oldCode = code;
    }

    BitPosition = bitPosition;
    CodeSize = codeSize;
    CodeLimit = 1 << codeSize;
    NextFreeCode = nextFreeCode;
    FirstCode = firstCode;
    OldCode = oldCode;
    return static_cast<std::size_t>(dst - out);
}

} // namespace ostra
