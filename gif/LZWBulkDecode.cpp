// The LZW decoder's bulk path: many codes per call, each string written
// straight into the output. It takes only the codes whose outcome it can
// produce exactly as the step-by-step path would, and leaves every other
// one, unread, to that path.
#include "gif/LZWDecoder.h"

#include <algorithm>
#include <cstring>

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
// many values it stored. One instance per kind of value, so that the loops
// test no flag.
//
// Codes are taken in runs that need no bounds checks of their own: a run
// holds the codes of the current width that end before the last buffered
// bit (at it, the step-by-step path refills first), and ends with the code
// whose new entry makes the width grow, if that comes sooner. A full table
// takes no entries and keeps its width.
//
// A string that does not fit in what is left of out (the end of a row of
// an interlaced frame, the end of the frame) is decoded into Spill; what
// fits goes to out and the rest onto the stack, where the step-by-step
// path would have left it. With values above 255, whose whole values the
// stack keeps, such a code is left to the step-by-step path instead.
template <bool WideValues>
std::size_t TLZWDecoder::decodeSettledCodes(std::uint8_t* out, std::size_t count)
{
    const int startPosition = BitPosition;
    TBulkState state{startPosition, NextFreeCode, OldCode, FirstCode, out};
    std::uint8_t* const end = out + count;
    int codeSize = CodeSize;

    for (;;) {
        const int lastCodeStart = BitLimit - codeSize - 1;
        if (state.BitPosition > lastCodeStart)
            break;
        int codes = (lastCodeStart - state.BitPosition) / codeSize + 1;
        const bool adding = state.NextFreeCode < kTableSize;
        if (adding)
            codes = std::min(codes, std::max(1, (1 << codeSize) - state.NextFreeCode));
        const int runEnd = state.BitPosition + codes * codeSize;
        const auto decode = [&](int stop, std::uint8_t* last) {
            return adding ? decodeCodeRun<WideValues, true>(state, codeSize, stop, last)
                          : decodeCodeRun<WideValues, false>(state, codeSize, stop, last);
        };

        const TRunEnd ending = decode(runEnd, end);
        if (ending == TRunEnd::NoRoom && !WideValues && state.Dst != end) {
            // The one code without room, whole into Spill, then cut.
            std::uint8_t* const target = state.Dst;
            state.Dst = Spill;
            const TRunEnd spilled = decode(state.BitPosition + codeSize, Spill + sizeof Spill);
            const auto length = static_cast<std::size_t>(state.Dst - Spill);
            const std::size_t stored = std::min(length, static_cast<std::size_t>(end - target));
            std::memcpy(target, Spill, stored);
            StackTop = kStackSize - static_cast<int>(length - stored);
            std::copy(Spill + stored, Spill + length, Stack + StackTop);
            state.Dst = target + stored;
            if (spilled != TRunEnd::Complete)
                break;
        } else if (ending != TRunEnd::Complete) {
            break;
        }
        // The width grows right after entry 2^codeSize - 1 is added.
        if (state.NextFreeCode >= (1 << codeSize) && codeSize < kMaxCodeSize)
            ++codeSize;
    }

    if (state.BitPosition != startPosition) {
        BitPosition = state.BitPosition;
        CodeSize = codeSize;
        CodeLimit = 1 << codeSize;
        NextFreeCode = state.NextFreeCode;
        FirstCode = state.FirstValue;
        OldCode = state.OldCode;
    }
    return static_cast<std::size_t>(state.Dst - out);
}

// Decodes the codes of width codeSize up to bit stop, each a settled string
// written to state.Dst, as long as its blocks and one byte more fit before
// end. Adding: whether each code adds an entry (the table is not full).
//
// The previous code must be a settled entry, so that every entry added
// here is settled too: the run stops at once otherwise, and before a code
// past the next free one (whose entry would not be).
//
// The state lives in locals while codes are decoded: stores into the
// output may alias any member, and would otherwise force the members to be
// reloaded after each of them. Nothing here calls out, so that all of it
// stays in registers.
template <bool WideValues, bool Adding>
[[gnu::noinline]] TLZWDecoder::TRunEnd TLZWDecoder::decodeCodeRun(TBulkState& state, int codeSize, int stop,
                                                                   std::uint8_t* end)
{
    using TEntry = TLZWStringTable::TEntry;
    auto bitPosition = static_cast<unsigned>(state.BitPosition);
    auto nextFreeCode = static_cast<unsigned>(state.NextFreeCode);
    auto oldCode = static_cast<unsigned>(state.OldCode);
    std::uint8_t* dst = state.Dst;
    const std::uint32_t codeMask = (1u << codeSize) - 1;
    // A string's blocks and the byte behind them fit while its first byte
    // plus (LastIndex | 7) lies before this.
    const std::uintptr_t roomEnd = reinterpret_cast<std::uintptr_t>(end) - 1;
    if (Adding && (oldCode >= nextFreeCode ||
                   Table.Entry(static_cast<int>(oldCode)).LastIndex == TLZWStringTable::kUnsettled))
        return TRunEnd::Unsettled;

    TRunEnd ending = TRunEnd::Complete;
    while (bitPosition != static_cast<unsigned>(stop)) {
        const std::uint32_t code =
            (loadCodeBits(Buffer, static_cast<int>(bitPosition)) >> (bitPosition & 7)) & codeMask;
        // A literal or an entry; or, for the next free code, the previous
        // code's string followed by its own first value. The clear and end
        // codes and unsettled entries are never settled.
        if (code > nextFreeCode) {
            ending = TRunEnd::Unsettled;
            break;
        }
        const bool known = code < nextFreeCode;
        const TEntry entry = Table.Entry(static_cast<int>(known ? code : oldCode));
        const unsigned last = entry.LastIndex;
        if (last == TLZWStringTable::kUnsettled) {
            ending = TRunEnd::Unsettled;
            break;
        }
        if (reinterpret_cast<std::uintptr_t>(dst) + (last | (TLZWStringTable::kBlockBytes - 1)) >= roomEnd) {
            ending = TRunEnd::NoRoom;
            break;
        }
        const std::uint8_t firstByte = Table.WriteString(entry, dst);
        dst += last + 1;
        if (!known)
            *dst++ = firstByte;
        bitPosition += static_cast<unsigned>(codeSize);
        // The new entry: the previous string followed by this one's first
        // value.
        if constexpr (Adding) {
            const int firstValue = WideValues ? Table.FirstValue(static_cast<int>(known ? code : oldCode)) : firstByte;
            const auto previous = static_cast<int>(oldCode);
            Table.AddSettled<WideValues>(static_cast<int>(nextFreeCode++), previous, Table.Entry(previous), firstValue);
        }
        oldCode = code;
    }

    if (bitPosition != static_cast<unsigned>(state.BitPosition)) {
        const auto previous = static_cast<int>(oldCode);
        const int firstValue = WideValues ? Table.FirstValue(previous) : Table.FirstByte(previous);
        state = {static_cast<int>(bitPosition), static_cast<int>(nextFreeCode), previous, firstValue, dst};
    }
    return ending;
}

} // namespace ostra
