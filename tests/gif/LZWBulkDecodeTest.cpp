// The bulk decoder (DecodeFrameData) against the step-by-step operations
// it stands in for (NextPixelValue in stored row order, one more request,
// SkipToTerminator): the same image data decoded both ways must give the
// same pixels, warnings, error and stream position. The data is made to
// reach every path: valid data from the test writer in many shapes, the
// same with bits flipped or cut short, and code soups that use codes the
// table does not hold yet, clear and end codes anywhere, and entries built
// on themselves.
#include "gif/GifBytes.h"
#include "gif/LZWDecoder.h"
#include "gif/LZWFrameData.h"
#include "gif/SubBlockReader.h"
#include "support/gif/LzwEncoder.h"
#include "support/gif/PixelPatterns.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <optional>
#include <random>

namespace ostra::test {
namespace {

struct FrameShape {
    std::uint16_t Width;
    std::uint16_t Height;
    bool Interlaced;
    std::optional<std::uint8_t> TransparentIndex;
};

struct Outcome {
    Bytes Pixels;
    std::vector<std::string> Warnings;
    std::string Error;
    std::int64_t Position = 0;
};

// A frame of the given shape, in a picture that collects its warnings.
class FrameUnderTest {
public:
    explicit FrameUnderTest(const FrameShape& shape) : Frame(&picture_)
    {
        picture_.WarningHandler = [this](TPersistent&, int, const std::string& text) { Warnings.push_back(text); };
        Frame.Width = shape.Width;
        Frame.Height = shape.Height;
        Frame.PackedFields = shape.Interlaced ? 0x40 : 0;
        if (shape.TransparentIndex) {
            control_ = std::make_unique<TGIFGraphicControlExtension>(Frame);
            control_->PackedFields = 0x01;
            control_->TransparentColorIndex = *shape.TransparentIndex;
            Frame.Transparent = true;
        }
    }

private:
    TGIFImage picture_;

public:
    TGIFSubImage Frame;
    std::vector<std::string> Warnings;

private:
    std::unique_ptr<TGIFGraphicControlExtension> control_;
};

// Rows in the order the data stores them. Interlaced: from row 0 with a
// step of 8; past the bottom, the next pass starts at half the step, and
// every pass after the second halves the step.
std::vector<int> storedRowOrder(int height, bool interlaced)
{
    std::vector<int> rows;
    int row = 0;
    int step = interlaced ? 8 : 1;
    int pass = 0;
    for (int k = 0; k < height; ++k) {
        rows.push_back(row);
        row += step;
        while (interlaced && row >= height && pass < 4) {
            if (pass > 0)
                step /= 2;
            ++pass;
            row = step / 2;
        }
    }
    return rows;
}

// Every value from NextPixelValue, stored as its low 8 bits, until the
// first negative one; then one more request and the skip to the terminator.
void decodeByValues(TLZWDecoder& decoder, const FrameShape& shape, Bytes& pixels)
{
    for (const int row : storedRowOrder(shape.Height, shape.Interlaced))
        for (std::size_t x = 0; x < shape.Width; ++x) {
            const int value = decoder.NextPixelValue();
            if (value < 0)
                return;
            pixels[static_cast<std::size_t>(row) * shape.Width + x] = static_cast<std::uint8_t>(value);
        }
}

Outcome stepByStep(const FrameShape& shape, const Bytes& data)
{
    FrameUnderTest t(shape);
    TMemoryStream stream{std::span<const std::uint8_t>(data)};
    Outcome outcome;
    outcome.Pixels.assign(std::size_t{shape.Width} * shape.Height, shape.TransparentIndex.value_or(0));
    std::uint8_t minimumCodeSize = 0;
    try {
        if (ReadByte(stream, minimumCodeSize)) {
            TSubBlockReader subBlocks(stream);
            TLZWDecoder decoder(subBlocks, minimumCodeSize, [&t](int level, const char* text) { t.Frame.ReportWarning(level, text); });
            try {
                decodeByValues(decoder, shape, outcome.Pixels);
            } catch (const GIFException&) {
                try {
                    decoder.NextPixelValue();
                } catch (const GIFException&) {
                }
                throw;
            }
            decoder.NextPixelValue();
            decoder.SkipToTerminator();
        }
    } catch (const GIFException& e) {
        outcome.Error = e.Message;
    }
    outcome.Warnings = t.Warnings;
    outcome.Position = stream.Position();
    return outcome;
}

Outcome bulk(const FrameShape& shape, const Bytes& data)
{
    FrameUnderTest t(shape);
    TMemoryStream stream{std::span<const std::uint8_t>(data)};
    Outcome outcome;
    try {
        DecodeFrameData(t.Frame, stream);
    } catch (const GIFException& e) {
        outcome.Error = e.Message;
    }
    outcome.Pixels.assign(t.Frame.PixelData.begin(), t.Frame.PixelData.end());
    outcome.Warnings = t.Warnings;
    outcome.Position = stream.Position();
    return outcome;
}

// ---- Data ----

using Random = std::mt19937;

int uniform(Random& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

std::vector<int> randomSubBlockSizes(Random& random)
{
    std::vector<int> sizes;
    for (int i = uniform(random, 1, 3); i > 0; --i)
        sizes.push_back(uniform(random, 0, 3) == 0 ? uniform(random, 1, 4) : uniform(random, 1, 255));
    return sizes;
}

// Pixels of a noisy, photo-like or flat picture of pixelHeight rows (more
// rows than the frame has leave surplus codes), encoded in a random shape.
Bytes validData(Random& random, int minimumCodeSize, const FrameShape& shape)
{
    const int colors = std::min(256, 1 << minimumCodeSize);
    const int pixelHeight = shape.Height + (uniform(random, 0, 4) == 0 ? uniform(random, 1, 8) : 0);
    const auto seed = static_cast<unsigned>(random());
    const std::vector<std::uint8_t> pixels =
        std::array{NoisePixels, PhotoLikePixels, FlatPixels}[uniform(random, 0, 2)](shape.Width, pixelHeight, colors, seed);
    LzwOptions options;
    options.minimumCodeSize = minimumCodeSize;
    options.leadingClear = uniform(random, 0, 1) == 1;
    if (uniform(random, 0, 1) == 1) {
        options.fullTable = FullTablePolicy::DeferredClear;
        if (uniform(random, 0, 1) == 1)
            options.deferredCodes = uniform(random, 0, 300);
    }
    options.endCode = uniform(random, 0, 3) != 0;
    options.subBlockSizes = randomSubBlockSizes(random);
    return EncodeImageData(pixels, options);
}

// Codes chosen at random, at the widths the decoder expects: mostly
// literals and entries in the table, some codes not yet in it, clear and
// end codes anywhere (an end code right after a clear is a pixel).
Bytes codeSoup(Random& random, int minimumCodeSize)
{
    const int clear = 1 << minimumCodeSize;
    std::vector<Code> codes;
    int nextFree = clear + 2;
    int width = minimumCodeSize + 1;
    int sinceClear = 0;
    for (int i = uniform(random, 1, 600); i > 0; --i) {
        const int pick = uniform(random, 0, 99);
        int code = uniform(random, 0, clear - 1);
        if (pick >= 55 && pick < 85 && nextFree > clear + 2)
            code = uniform(random, clear + 2, nextFree - 1);
        else if (pick >= 85 && pick < 90)
            code = std::min(nextFree, 4095);
        else if (pick >= 90 && pick < 95)
            code = uniform(random, 0, (1 << width) - 1);
        else if (pick >= 95)
            code = pick < 98 ? clear : clear + 1;
        codes.push_back({code, width});
        if (code == clear && pick >= 95) {
            nextFree = clear + 2;
            width = minimumCodeSize + 1;
            sinceClear = 0;
        } else if (++sinceClear >= 2 && nextFree < 4096 && ++nextFree >= (1 << width) && width < 12) {
            ++width;
        }
    }
    return Join({{static_cast<std::uint8_t>(minimumCodeSize)}, PackSubBlocks(PackCodes(codes), randomSubBlockSizes(random))});
}

enum class DataKind { Valid, Mutated, Truncated, CodeSoup };

Bytes makeData(Random& random, DataKind kind, int minimumCodeSize, const FrameShape& shape)
{
    // No encoder writes a minimum code size of 0 (one literal): a code soup
    // stands in for its valid data.
    Bytes data = kind == DataKind::CodeSoup || minimumCodeSize == 0 ? codeSoup(random, minimumCodeSize)
                                                                    : validData(random, minimumCodeSize, shape);
    if (kind == DataKind::Mutated)
        for (int flips = uniform(random, 1, 4); flips > 0; --flips)
            data[static_cast<std::size_t>(uniform(random, 1, static_cast<int>(data.size()) - 1))] ^=
                static_cast<std::uint8_t>(1 << uniform(random, 0, 7));
    if (kind == DataKind::Truncated)
        data.resize(static_cast<std::size_t>(uniform(random, 0, static_cast<int>(data.size()) - 1)));
    // What follows the data tells a stream left in the right place from one
    // that ran on; some data ends with the stream.
    if (uniform(random, 0, 3) != 0)
        data.insert(data.end(), {0x2C, 0x01, 0x3B});
    return data;
}

FrameShape randomShape(Random& random)
{
    const bool large = uniform(random, 0, 7) == 0;
    FrameShape shape{static_cast<std::uint16_t>(large ? uniform(random, 200, 400) : uniform(random, 0, 48)),
                     static_cast<std::uint16_t>(large ? uniform(random, 20, 40) : uniform(random, 1, 40)),
                     uniform(random, 0, 2) == 0, std::nullopt};
    if (uniform(random, 0, 1) == 1)
        shape.TransparentIndex = static_cast<std::uint8_t>(uniform(random, 1, 255));
    return shape;
}

std::string firstDifference(const Bytes& bulkPixels, const Bytes& expected)
{
    if (bulkPixels.size() != expected.size())
        return std::to_string(bulkPixels.size()) + " pixels instead of " + std::to_string(expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (bulkPixels[i] != expected[i])
            return "pixel " + std::to_string(i) + ": " + std::to_string(bulkPixels[i]) + " instead of " +
                   std::to_string(expected[i]);
    return "";
}

class LZWBulkDecodeTest : public testing::TestWithParam<int> {};

TEST_P(LZWBulkDecodeTest, SameOutcomeAsTheStepByStepOperations)
{
    const int minimumCodeSize = GetParam();
    constexpr int kCasesPerKind = 60;
    const std::pair<DataKind, const char*> kinds[] = {{DataKind::Valid, "valid"},
                                                      {DataKind::Mutated, "mutated"},
                                                      {DataKind::Truncated, "truncated"},
                                                      {DataKind::CodeSoup, "code soup"}};
    Random random(static_cast<unsigned>(minimumCodeSize) * 7919u);
    for (const auto& [kind, kindName] : kinds)
        for (int i = 0; i < kCasesPerKind; ++i) {
            const FrameShape shape = randomShape(random);
            const Bytes data = makeData(random, kind, minimumCodeSize, shape);
            SCOPED_TRACE(std::string(kindName) + " case " + std::to_string(i) + ", " + std::to_string(shape.Width) +
                         " x " + std::to_string(shape.Height) + (shape.Interlaced ? " interlaced" : ""));
            const Outcome expected = stepByStep(shape, data);
            const Outcome actual = bulk(shape, data);
            EXPECT_EQ(firstDifference(actual.Pixels, expected.Pixels), "");
            EXPECT_EQ(actual.Warnings, expected.Warnings);
            EXPECT_EQ(actual.Error, expected.Error);
            EXPECT_EQ(actual.Position, expected.Position);
            if (HasFailure())
                return;
        }
}

INSTANTIATE_TEST_SUITE_P(MinimumCodeSizes, LZWBulkDecodeTest, testing::Range(0, 12),
                         [](const auto& info) { return "MinimumCodeSize" + std::to_string(info.param); });

} // namespace
} // namespace ostra::test
