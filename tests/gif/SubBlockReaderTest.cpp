// The sub-block reader: data handed out a sub-block at a time, the ways a
// run ends, and skipping to the terminator without reading past it.
#include "gif/GifBytes.h"
#include "gif/Stream.h"
#include "gif/SubBlockReader.h"

#include <gtest/gtest.h>

namespace ostra::test {
namespace {

using End = TSubBlockSource::TSubBlockEnd;

struct Block {
    End Kind;
    Bytes Data;
    friend bool operator==(const Block&, const Block&) = default;
};

void PrintTo(const Block& block, std::ostream* out)
{
    static const char* const kNames[] = {"Data", "Cut", "Terminator", "End"};
    *out << kNames[static_cast<int>(block.Kind)] << " of " << block.Data.size();
}

struct ReaderCase {
    const char* Name;
    Bytes Input;
    const char* Steps; // n: NextSubBlock, s: SkipRest
    std::vector<Block> Blocks; // one per n
    std::int64_t Position;     // of the stream afterwards
};

const ReaderCase kReaderCases[] = {
    {"TwoSubBlocksThenTheTerminator", {2, 'a', 'b', 1, 'c', 0, 0x3B}, "nnnn",
     {{End::Data, {'a', 'b'}}, {End::Data, {'c'}}, {End::Terminator, {}}, {End::Terminator, {}}}, 6},
    {"SubBlockCutByTheEndOfTheStream", {5, 'a', 'b'}, "nn", {{End::Cut, {'a', 'b'}}, {End::End, {}}}, 3},
    {"CountByteLast", {3}, "nn", {{End::Cut, {}}, {End::End, {}}}, 1},
    {"NothingAtAll", {}, "n", {{End::End, {}}}, 0},
    {"SkipStopsAfterTheTerminator", {2, 'a', 'b', 1, 'c', 0, 0x3B}, "sn", {{End::Terminator, {}}}, 6},
    {"SkipAfterTheTerminatorReadsNothing", {0, 1, 'a', 0}, "nss", {{End::Terminator, {}}}, 1},
    {"SkipFromTheMiddle", {1, 'a', 1, 'b', 0, 0x3B}, "nsn", {{End::Data, {'a'}}, {End::Terminator, {}}}, 5},
    {"SkipOverACutSubBlock", {5, 'a'}, "sn", {{End::End, {}}}, 6},
};

TEST(SubBlockReaderTest, HandsOutDataAndStopsAtTheTerminator)
{
    for (const ReaderCase& c : kReaderCases) {
        TMemoryStream stream{std::span<const std::uint8_t>(c.Input)};
        TSubBlockReader reader(stream);
        std::vector<Block> blocks;
        for (const char* step = c.Steps; *step != '\0'; ++step) {
            if (*step == 's') {
                reader.SkipRest();
                continue;
            }
            Bytes data(TSubBlockSource::kMaxSubBlockSize);
            const TSubBlockSource::TSubBlock block = reader.NextSubBlock(data.data());
            data.resize(block.Size);
            blocks.push_back({block.Kind, data});
        }
        EXPECT_EQ(blocks, c.Blocks) << c.Name;
        EXPECT_EQ(stream.Position(), c.Position) << c.Name;
    }
}

} // namespace
} // namespace ostra::test
