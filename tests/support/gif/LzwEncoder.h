#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The LZW side of the test GIF writer. The product never writes GIFs; the
// tests do, and they need data shapes that ordinary encoders never produce:
// no leading clear code, a full string table that is never cleared, one-byte
// sub-blocks. Everything here works on plain bytes.
namespace ostra::test {

// What the encoder does once all 4096 string table entries are in use.
enum class FullTablePolicy {
    // Send a clear code at once and start a fresh table (what most encoders do).
    Clear,
    // Keep sending 12-bit codes against the full table without adding entries
    // ("deferred clear", allowed by GIF89a); see LzwOptions::deferredCodes.
    DeferredClear,
};

struct LzwOptions {
    // The minimum code size byte; unset: the smallest size of at least 2 that
    // holds every pixel value. Sizes 1 to 11 encode; GIF89a allows 2 to 8.
    std::optional<int> minimumCodeSize = {};
    bool leadingClear = true;
    FullTablePolicy fullTable = FullTablePolicy::Clear;
    // With DeferredClear: how many codes go out on the full table before a
    // clear code is finally sent; unset: never (until the end of the data).
    std::optional<int> deferredCodes = {};
    bool endCode = true;
    // Sub-block lengths (1 to 255), used in turn and repeated.
    std::vector<int> subBlockSizes{255};
};

// The smallest minimum code size (at least 2) whose clear code exceeds every value.
int MinimumCodeSizeFor(std::span<const std::uint8_t> pixels);

// The LZW code stream of the pixels, codes packed least significant bit
// first, not yet cut into sub-blocks. Throws std::invalid_argument for a
// pixel that does not fit the minimum code size.
std::vector<std::uint8_t> EncodeLzwCodes(std::span<const std::uint8_t> pixels, int minimumCodeSize,
                                         const LzwOptions& options);

// Cuts data into sub-blocks of the given lengths (used in turn) and appends
// the block terminator.
std::vector<std::uint8_t> PackSubBlocks(std::span<const std::uint8_t> data, std::span<const int> sizes);

// A frame's whole image data as it follows the image descriptor: the
// minimum code size byte, the sub-blocks and the terminator.
std::vector<std::uint8_t> EncodeImageData(std::span<const std::uint8_t> pixels, const LzwOptions& options);

} // namespace ostra::test
