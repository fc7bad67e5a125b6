#include "support/gif/LzwEncoder.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace ostra::test {
namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxMinimumCodeSize = 11;

// Packs codes least significant bit first, as GIF does.
class BitPacker {
public:
    void append(int code, int width)
    {
        pending_ |= static_cast<std::uint64_t>(code) << pendingBits_;
        pendingBits_ += width;
        while (pendingBits_ >= 8) {
            bytes_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
            pending_ >>= 8;
            pendingBits_ -= 8;
        }
    }

    std::vector<std::uint8_t> finish()
    {
        if (pendingBits_ > 0) {
            bytes_.push_back(static_cast<std::uint8_t>(pending_ & 0xFF));
        }
        pending_ = 0;
        pendingBits_ = 0;
        return std::move(bytes_);
    }

private:
    std::vector<std::uint8_t> bytes_;
    std::uint64_t pending_ = 0;
    int pendingBits_ = 0;
};

// The code width a reader uses for the next code. A reader adds one table
// entry for every code after the first one following a clear, and widens
// the codes as soon as the entry 2^width - 1 is in the table; the encoder's
// own table runs one entry ahead of the reader's, so the width is tracked
// from the reader's side to stay right for every minimum code size.
class ReaderCodeWidth {
public:
    explicit ReaderCodeWidth(int minimumCodeSize) : minimumCodeSize_(minimumCodeSize) { reset(); }

    void reset()
    {
        const int clearCode = 1 << minimumCodeSize_;
        width_ = minimumCodeSize_ + 1;
        nextFree_ = clearCode + 2;
        limit_ = 2 * clearCode;
        codesSinceClear_ = 0;
    }

    void afterCode()
    {
        if (++codesSinceClear_ < 2 || nextFree_ >= kMaxCodes) {
            return;
        }
        ++nextFree_;
        if (nextFree_ >= limit_ && limit_ < kMaxCodes) {
            limit_ *= 2;
            ++width_;
        }
    }

    int width() const { return width_; }

private:
    int minimumCodeSize_;
    int width_ = 0;
    int nextFree_ = 0;
    int limit_ = 0;
    int codesSinceClear_ = 0;
};

// The encoder's string table: entry (prefix, byte) -> code, as a flat child
// array that is reset entry by entry on a clear.
class StringTable {
public:
    explicit StringTable(int clearCode)
        : firstFree_(clearCode + 2), next_(firstFree_), children_(static_cast<std::size_t>(kMaxCodes) * 256, 0)
    {}

    int find(int prefix, std::uint8_t byte) const { return children_[slot(prefix, byte)]; }

    bool full() const { return next_ >= kMaxCodes; }

    void add(int prefix, std::uint8_t byte)
    {
        const std::size_t at = slot(prefix, byte);
        children_[at] = static_cast<std::uint16_t>(next_++);
        used_.push_back(at);
    }

    void reset()
    {
        for (const std::size_t at : used_) {
            children_[at] = 0;
        }
        used_.clear();
        next_ = firstFree_;
    }

private:
    static std::size_t slot(int prefix, std::uint8_t byte) { return static_cast<std::size_t>(prefix) * 256 + byte; }

    int firstFree_;
    int next_;
    std::vector<std::uint16_t> children_; // 0: no entry (real entries start above the clear code)
    std::vector<std::size_t> used_;
};

class Encoder {
public:
    Encoder(int minimumCodeSize, const LzwOptions& options)
        : options_(options), clearCode_(1 << minimumCodeSize), width_(minimumCodeSize), table_(clearCode_)
    {}

    std::vector<std::uint8_t> run(std::span<const std::uint8_t> pixels)
    {
        if (options_.leadingClear) {
            clear();
        }
        if (!pixels.empty()) {
            encodePixels(pixels);
        }
        if (options_.endCode) {
            emit(clearCode_ + 1);
        }
        return packer_.finish();
    }

private:
    void encodePixels(std::span<const std::uint8_t> pixels)
    {
        int current = pixels[0];
        for (std::size_t i = 1; i < pixels.size(); ++i) {
            const std::uint8_t byte = pixels[i];
            const int longer = table_.find(current, byte);
            if (longer != 0) {
                current = longer;
                continue;
            }
            emit(current);
            addOrHandleFullTable(current, byte);
            current = byte;
        }
        emit(current);
    }

    void addOrHandleFullTable(int prefix, std::uint8_t byte)
    {
        if (!table_.full()) {
            table_.add(prefix, byte);
            if (table_.full() && options_.fullTable == FullTablePolicy::Clear) {
                clear();
            }
            return;
        }
        ++codesOnFullTable_;
        if (options_.deferredCodes && codesOnFullTable_ >= *options_.deferredCodes) {
            clear();
        }
    }

    void clear()
    {
        emit(clearCode_);
        table_.reset();
        width_.reset();
        codesOnFullTable_ = 0;
    }

    void emit(int code)
    {
        packer_.append(code, width_.width());
        if (code == clearCode_) {
            return;
        }
        width_.afterCode();
    }

    const LzwOptions& options_;
    int clearCode_;
    ReaderCodeWidth width_;
    StringTable table_;
    BitPacker packer_;
    int codesOnFullTable_ = 0;
};

void checkPixelsFit(std::span<const std::uint8_t> pixels, int minimumCodeSize)
{
    if (minimumCodeSize < 1 || minimumCodeSize > kMaxMinimumCodeSize) {
        throw std::invalid_argument("minimum code size " + std::to_string(minimumCodeSize) + " cannot be encoded");
    }
    const int largest = pixels.empty() ? 0 : *std::max_element(pixels.begin(), pixels.end());
    if (largest >= (1 << minimumCodeSize)) {
        throw std::invalid_argument("pixel value " + std::to_string(largest) + " needs a larger minimum code size than " +
                                    std::to_string(minimumCodeSize));
    }
}

} // namespace

int MinimumCodeSizeFor(std::span<const std::uint8_t> pixels)
{
    const int largest = pixels.empty() ? 0 : *std::max_element(pixels.begin(), pixels.end());
    int size = 2;
    while ((1 << size) <= largest) {
        ++size;
    }
    return size;
}

std::vector<std::uint8_t> EncodeLzwCodes(std::span<const std::uint8_t> pixels, int minimumCodeSize,
                                         const LzwOptions& options)
{
    checkPixelsFit(pixels, minimumCodeSize);
    return Encoder(minimumCodeSize, options).run(pixels);
}

std::vector<std::uint8_t> PackSubBlocks(std::span<const std::uint8_t> data, std::span<const int> sizes)
{
    if (sizes.empty() || std::any_of(sizes.begin(), sizes.end(), [](int size) { return size < 1 || size > 255; })) {
        throw std::invalid_argument("sub-block sizes must lie between 1 and 255");
    }
    std::vector<std::uint8_t> out;
    out.reserve(data.size() + data.size() / sizes[0] + 2);
    std::size_t at = 0;
    for (std::size_t turn = 0; at < data.size(); ++turn) {
        const std::size_t size = std::min<std::size_t>(static_cast<std::size_t>(sizes[turn % sizes.size()]), data.size() - at);
        out.push_back(static_cast<std::uint8_t>(size));
        out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(at), data.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
    }
    out.push_back(0);
    return out;
}

std::vector<std::uint8_t> EncodeImageData(std::span<const std::uint8_t> pixels, const LzwOptions& options)
{
    const int minimumCodeSize = options.minimumCodeSize.value_or(MinimumCodeSizeFor(pixels));
    const std::vector<std::uint8_t> codes = EncodeLzwCodes(pixels, minimumCodeSize, options);
    std::vector<std::uint8_t> out{static_cast<std::uint8_t>(minimumCodeSize)};
    const std::vector<std::uint8_t> blocks = PackSubBlocks(codes, options.subBlockSizes);
    out.insert(out.end(), blocks.begin(), blocks.end());
    return out;
}

} // namespace ostra::test
