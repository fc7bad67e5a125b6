#pragma once

#include <cstddef>
#include <cstdint>

namespace ostra {

class TGIFSubImage;
class TStream;

// Decodes the LZW image data of a frame into its PixelData. The stream
// stands at the LZW minimum code size byte and is left just after the
// block terminator of the frame's data. Raises GIFException; warnings go
// through the frame's ReportWarning.
void DecodeFrameData(TGIFSubImage& frame, TStream& stream);

// The state of one DecodeFrameData call. Fixed-size arrays only: nothing
// is allocated while codes are decoded.
class TLZWDecoder {
public:
    static constexpr int kMaxCodeSize = 12;
    static constexpr int kTableSize = 1 << kMaxCodeSize;
    static constexpr int kStackSize = 2 * kTableSize;
    static constexpr int kMaxMinimumCodeSize = 11;

    // Raises GIFException "Invalid LZW code size" above 11: a larger clear
    // code would index past the 4096-entry tables.
    TLZWDecoder(TGIFSubImage& frame, TStream& stream, std::uint8_t minimumCodeSize);

    // The next code of width bits, or -1 when no more data can be had. The
    // first call answers the clear code without reading.
    int ReadCode(int width);
    // The next pixel value (0 or more), -1 when the data has run out, -2
    // when the end code has been read.
    int NextPixelValue();
    // Reads one code and interprets it; results as NextPixelValue.
    int DecodeNextCode();

    // Stores the next values into out (their low 8 bits) as repeated
    // NextPixelValue calls would, up to count of them or the first negative
    // value. Answers how many were stored; stop is the negative value met,
    // or 0 when count values were stored.
    std::size_t DecodePixels(std::uint8_t* out, std::size_t count, int& stop);

    // After the frame's last pixel: moves the stream past the rest of the
    // data up to its terminator, unless the terminator was already read.
    void SkipToTerminator();

private:
    // Sub-block data starts at byte 2; bytes 0 and 1 carry the last two
    // bytes of the previous sub-block. Padded so that a code can always be
    // assembled from a 4-byte load.
    static constexpr int kBufferSize = 258;
    static constexpr int kBufferPadding = 4;

    std::size_t decodeRun(std::uint8_t* out, std::size_t count);
    int pushString(int code, int& sp, int firstCode, int oldCode, int nextFreeCode, int clearCode);
    std::size_t popString(std::uint8_t* out, std::size_t count, int& sp);
    void addEntry(int oldCode, int firstByte, int& nextFreeCode, int& codeLimit, int& codeSize);
    void resetTable();
    bool refillBuffer();
    int readCodeAfterRefill(int width);
    int decodeClearCode();
    int decodeEndCode();
    void skipDataSubBlocks();
    [[noreturn]] static void raiseCircularEntry();

    TGIFSubImage& frame_;
    TStream& stream_;

    std::uint8_t MinimumCodeSize;
    int CodeSize;
    int ClearCode;
    int EndCode;
    int NextFreeCode;
    int CodeLimit;
    int FirstCode = 0;
    int OldCode = 0;

    // The tables keep codes (below 4096) and pixel values (stored as their
    // low 8 bits anyway) in the narrowest types, so that the tables and the
    // stack stay in the first-level cache.
    std::uint16_t Prefix[kTableSize];
    std::uint8_t Suffix[kTableSize];

    // Grows downwards from its end, so that the string on top lies in
    // pixel order and leaves it by one copy. StackTop == kStackSize: empty.
    std::uint8_t Stack[kStackSize];
    // Strings up to this length leave the stack byte by byte.
    static constexpr std::size_t kShortString = 16;
    int StackTop = kStackSize;

    std::uint8_t Buffer[kBufferSize + kBufferPadding] = {};
    int BufferEnd = 2;
    int BitPosition = 0;
    int BitLimit = 0;

    bool FirstCall = true;
    bool DataExhausted = false;
    bool TerminatorSeen = false;
    bool EndCodeSeen = false;
};

} // namespace ostra
