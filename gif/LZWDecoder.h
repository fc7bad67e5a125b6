#pragma once

#include <functional>

#include "gif/LZWStringTable.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ostra {

class TSubBlockSource;

// The state of one run of LZW image data (one DecodeFrameData call,
// gif/LZWFrameData.h). Fixed-size arrays only: nothing is allocated while
// codes are decoded.
//
// ReadCode, NextPixelValue and DecodeNextCode decode one step at a time:
// a string is expanded along its prefix chain onto a stack and leaves it
// one value per request. DecodePixels does the same work in bulk and gives
// the same values, warnings, errors and source positions: it writes the
// strings of settled table entries straight into the output (one cut by
// the end of the output goes on from the stack, as a step-by-step string
// would) and hands every other code (clear and end codes, sub-block
// refills, unsettled entries, and with values above 255 a string without
// room behind it) to the step-by-step path.
class TLZWDecoder {
public:
    static constexpr int kMaxCodeSize = 12;
    static constexpr int kTableSize = TLZWStringTable::kSize;
    static constexpr int kStackSize = 2 * kTableSize;
    static constexpr int kMaxMinimumCodeSize = 11;

    // Where the decoder reports what it tolerates (a level and a text):
    // data that ends inside a sub-block or before a code is complete.
    using WarningSink = std::function<void(int level, const char* text)>;

    // Takes the codes from the data of source's sub-blocks; knows neither
    // the frame nor the block structure around the codes. Raises
    // GIFException "Invalid LZW code size" above 11: a larger clear code
    // would index past the 4096-entry tables.
    TLZWDecoder(TSubBlockSource& source, std::uint8_t minimumCodeSize, WarningSink warnings = {});

    // The next code of width bits, or -1 when no more data can be had. The
    // first call answers the clear code without reading.
    int ReadCode(int width);
    // The next pixel value (0 or more, whole: above 255 for literals of a
    // minimum code size above 8), -1 when the data has run out, -2 when the
    // end code has been read.
    int NextPixelValue();
    // Reads one code and interprets it; results as NextPixelValue.
    int DecodeNextCode();

    // Stores the next values into out (their low 8 bits) as repeated
    // NextPixelValue calls would, up to count of them or the first negative
    // value. Answers that value, or 0 when count values were stored.
    // stored counts the values in out so far, also when an error leaves
    // the call. Bytes of out past the stored ones may have been written.
    int DecodePixels(std::uint8_t* out, std::size_t count, std::size_t& stored);

    // After the frame's last pixel: moves the source past the rest of the
    // data up to its terminator, unless the terminator was already read.
    void SkipToTerminator();

private:
    // Sub-block data starts at byte 2; bytes 0 and 1 carry the last two
    // bytes of the previous sub-block. Padded so that a code can always be
    // assembled from a 4-byte load.
    static constexpr int kBufferSize = 258;
    static constexpr int kBufferPadding = 4;

    // The 32 bits from the byte that holds bitPosition on, least
    // significant bit first; the buffer is padded for this load.
    static std::uint32_t loadCodeBits(const std::uint8_t* buffer, int bitPosition)
    {
        const std::uint8_t* bytes = buffer + (bitPosition >> 3);
        if constexpr (std::endian::native == std::endian::little) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, bytes, sizeof bits);
            return bits;
        } else {
            return std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 | std::uint32_t{bytes[2]} << 16 |
                   std::uint32_t{bytes[3]} << 24;
        }
    }

    // The code of width bits at bitPosition; moves bitPosition past it.
    static int takeCode(const std::uint8_t* buffer, int& bitPosition, int width)
    {
        const int code = static_cast<int>((loadCodeBits(buffer, bitPosition) >> (bitPosition & 7)) & ((1u << width) - 1));
        bitPosition += width;
        return code;
    }

    std::size_t decodeRun(std::uint8_t* out, std::size_t count);
    template <bool WideValues>
    std::size_t decodeSettledCodes(std::uint8_t* out, std::size_t count);
    std::size_t popString(std::uint8_t* out, std::size_t count);
    // The decoder's state while decodeCodeRun takes codes.
    struct TBulkState {
        int BitPosition;
        int NextFreeCode;
        int OldCode;
        int FirstValue;
        std::uint8_t* Dst;
    };
    // Why decodeCodeRun stopped: all codes of the run taken; a code that is
    // not settled; a string without room in the output.
    enum class TRunEnd { Complete, Unsettled, NoRoom };
    template <bool WideValues, bool Adding>
    TRunEnd decodeCodeRun(TBulkState& state, int codeSize, int stop, std::uint8_t* end);
    int pushString(int code);
    // The string of oldCode followed by firstValue becomes the next entry
    // while the table has room. The width grows right after entry
    // 2^codeSize - 1 is added, up to 12 bits; a full table stays as it is
    // until a clear code. CodeLimit is always 2^CodeSize.
    void addEntry(int oldCode, int firstValue, int& nextFreeCode, int& codeLimit, int& codeSize)
    {
        if (nextFreeCode >= kTableSize)
            return;
        Table.Add(nextFreeCode, oldCode, firstValue);
        ++nextFreeCode;
        if (nextFreeCode >= codeLimit && codeLimit < kTableSize) {
            codeLimit *= 2;
            ++codeSize;
        }
    }
    bool refillBuffer();
    int readCodeAfterRefill(int width);
    int decodeClearCode();
    int decodeEndCode();
    void warn(const char* text);

    WarningSink warnings_;
    TSubBlockSource& source_;

    std::uint8_t MinimumCodeSize;
    int CodeSize;
    int ClearCode;
    int EndCode;
    int NextFreeCode;
    int CodeLimit;
    int FirstCode = 0;
    int OldCode = 0;

    TLZWStringTable Table;

    // Grows downwards from its end, so that the string on top lies in
    // pixel order. StackTop == kStackSize: empty. Values are kept whole.
    std::uint16_t Stack[kStackSize];
    int StackTop = kStackSize;
    // Where a string without room in the output is decoded whole before
    // it is cut.
    std::uint8_t Spill[TLZWStringTable::kLongestStore];

    std::uint8_t Buffer[kBufferSize + kBufferPadding] = {};
    int BufferEnd = 2;
    int BitPosition = 0;
    int BitLimit = 0;

    bool FirstCall = true;
    // The terminator has been read, or the rest of the data skipped.
    bool DataExhausted = false;
    bool EndCodeSeen = false;
};

} // namespace ostra
