#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace ostra {

// The LZW string table, kept in two forms that every added entry updates.
//
// The chain form is the textbook one: an entry holds the code of its
// string without the last value (Prefix) and that last value (Suffix), and
// a string is read back from its end one value per step. The step-by-step
// decoder uses it for every code.
//
// The block form lets the bulk decoder write a string straight into the
// frame, a block of kBlockBytes bytes per step. A string is cut into
// blocks from its start; an entry keeps the bytes of its last block (Tail,
// the first byte in the low-order byte) and the entry whose string is
// everything before that block (BlockPrefix):
//
//   a string of 19 bytes:  [ 8 bytes ][ 8 bytes ][ 3 ]
//                          \_ BlockPrefix's string _/ \_ Tail
//
// Writing one starts with the last block and walks back to the first,
// one table look-up per block; every block is stored whole, so up to
// kBlockBytes - 1 bytes past the string's end are overwritten and must be
// free to write.
//
// The bulk decoder reads the block form for every code, and only writes
// the chain form: each form lies in arrays of its own, so that the block
// form of all 4096 entries takes 48 KiB of cache, not 64.
//
// Only settled entries have a block form: their prefix is a settled code
// that was already in the table when the entry was added, so their string
// can no longer change. An entry added behind a code not yet in the table
// (or behind itself) is unsettled: its string follows that code's entry
// as it stands at each expansion, and may even lead back into itself. The
// step-by-step decoder alone decodes such entries.
//
// A clear code leaves the table as it is: entries are added again in code
// order, and the decoder takes one at or past its next free code for an
// empty one (prefix 0, value 0), whatever the table still holds there.
class TLZWStringTable {
public:
    static constexpr int kSize = 4096;
    using TBlock = std::uint64_t;
    static constexpr unsigned kBlockBytes = sizeof(TBlock);
    // At least what any settled string stores, with one value more: a
    // string's length stays below kSize.
    static constexpr std::size_t kLongestStore = kSize + 16;
    static constexpr std::uint16_t kUnsettled = 0xFFFF;

    // The block form of one entry.
    struct TEntry {
        TBlock Tail;
        std::uint16_t BlockPrefix;
        // The string's length less one; kUnsettled for an entry without a
        // block form.
        std::uint16_t LastIndex;
    };

    // Literals hold their own value; the clear and end codes, never added,
    // hold the two values 0 0 (prefix 0, value 0), should the data use them
    // as a prefix; they have no block form, and neither has an entry added
    // behind them. Every other entry is written by Add before it is read.
    void Initialize(int clearCode)
    {
        for (int code = 0; code < clearCode; ++code) {
            const auto value = static_cast<std::uint16_t>(code);
            put(code, {static_cast<std::uint8_t>(code), 0, 0});
            links_[code] = pack(0, value);
            first_[code] = value;
        }
        put(clearCode, {0, 0, kUnsettled});
        put(clearCode + 1, {0, 0, kUnsettled});
        links_[clearCode] = links_[clearCode + 1] = 0;
        wideValues_ = clearCode > 256;
    }

    // Entry code = the string of prefix followed by value.
    void Add(int code, int prefix, int value)
    {
        const TEntry before = Entry(prefix);
        const bool settled = prefix < code && before.LastIndex != kUnsettled;
        if (wideValues_)
            settled ? AddSettled<true>(code, prefix, before, value) : addUnsettled<true>(code, prefix, value);
        else
            settled ? AddSettled<false>(code, prefix, before, value) : addUnsettled<false>(code, prefix, value);
    }

    // As Add, for a settled prefix below code whose block form is before;
    // Wide as WideValues.
    template <bool Wide>
    void AddSettled(int code, int prefix, const TEntry& before, int value)
    {
        const unsigned last = before.LastIndex + 1u;
        const TBlock byte = static_cast<std::uint8_t>(value);
        // A string whose length before the new value is a whole number of
        // blocks starts a new block; otherwise the value joins the last one.
        const bool newBlock = last % kBlockBytes == 0;
        tails_[code] = newBlock ? byte : before.Tail | byte << (8 * (last % kBlockBytes));
        shapes_[code] = pack(newBlock ? static_cast<unsigned>(prefix) : before.BlockPrefix, last);
        links_[code] = pack(static_cast<unsigned>(prefix), static_cast<unsigned>(value));
        if constexpr (Wide)
            first_[code] = first_[prefix];
    }

    // Whether values can pass 255 (a minimum code size above 8).
    bool WideValues() const { return wideValues_; }
    // The first value of a settled entry's string, whole, when values can
    // pass 255; otherwise it is the first byte that WriteString stores.
    int FirstValue(int code) const { return first_[code]; }

    // The chain form of an entry in the table.
    int Prefix(int code) const { return static_cast<int>(links_[code] & 0xFFFF); }
    int Suffix(int code) const { return static_cast<int>(links_[code] >> 16); }

    TEntry Entry(int code) const
    {
        return {tails_[code], static_cast<std::uint16_t>(shapes_[code] & 0xFFFF),
                static_cast<std::uint16_t>(shapes_[code] >> 16)};
    }

    // The first byte of a settled entry's string: the low-order byte of
    // its first block.
    std::uint8_t FirstByte(int code) const
    {
        while ((shapes_[code] >> 16) >= kBlockBytes)
            code = static_cast<int>(shapes_[code] & 0xFFFF);
        return static_cast<std::uint8_t>(tails_[code]);
    }

    // Writes the string of a settled entry to out, low 8 bits of each value,
    // storing its length rounded up to whole blocks. Answers the string's
    // first byte.
    std::uint8_t WriteString(const TEntry& entry, std::uint8_t* out) const
    {
        unsigned offset = entry.LastIndex & ~(kBlockBytes - 1);
        TBlock block = entry.Tail;
        storeBlock(out + offset, block);
        int code = entry.BlockPrefix;
        while (offset != 0) {
            offset -= kBlockBytes;
            block = tails_[code];
            code = static_cast<int>(shapes_[code] & 0xFFFF);
            storeBlock(out + offset, block);
        }
        return static_cast<std::uint8_t>(block);
    }

private:
    static void storeBlock(std::uint8_t* out, TBlock bytes)
    {
        if constexpr (std::endian::native == std::endian::big) {
            for (unsigned i = 0; i < kBlockBytes; ++i)
                out[i] = static_cast<std::uint8_t>(bytes >> (8 * i));
        } else {
            std::memcpy(out, &bytes, sizeof bytes);
        }
    }

    // An entry without a block form.
    template <bool Wide>
    void addUnsettled(int code, int prefix, int value)
    {
        put(code, {0, 0, kUnsettled});
        links_[code] = pack(static_cast<unsigned>(prefix), static_cast<unsigned>(value));
        if constexpr (Wide)
            first_[code] = first_[prefix];
    }

    void put(int code, const TEntry& entry)
    {
        tails_[code] = entry.Tail;
        shapes_[code] = pack(entry.BlockPrefix, entry.LastIndex);
    }

    // Two 16-bit fields in one word, so that each goes with one store.
    static std::uint32_t pack(unsigned low, unsigned high) { return (low & 0xFFFF) | high << 16; }

    // The block form of every entry: Tail, and BlockPrefix | LastIndex << 16.
    // The chain form: Prefix | Suffix << 16, Suffix kept whole (with a
    // minimum code size above 8, literals pass 255).
    TBlock tails_[kSize];
    std::uint32_t shapes_[kSize];
    std::uint32_t links_[kSize];
    std::uint16_t first_[kSize];
    bool wideValues_ = false;
};

} // namespace ostra
