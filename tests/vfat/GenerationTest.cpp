// The checks the card tests rely on: a save's record must be told apart
// from every way a cut or misplaced write can spoil it, or the harness
// would pass a damaged card.
#include "Generation.h"
#include "GuestMachine.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <vector>

namespace ostra::cardtest {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes recordBytes(std::uint32_t generation)
{
    const TConfigRecord record = generationRecord(generation);
    return Bytes(record.begin(), record.end());
}

TEST(GenerationRecord, EachGenerationReadsBackAsItself)
{
    for (std::uint32_t generation : {0u, 1u, 9u, 10u, 42u, 12345678u, 99999999u}) {
        const Inspection found = inspectGeneration(recordBytes(generation));
        EXPECT_EQ(found.generation, generation) << found.problem;
    }
    EXPECT_NE(recordBytes(41), recordBytes(42));
}

struct Damage {
    const char* name;
    std::function<void(Bytes&)> apply;
    const char* problemMentions;
};

const Damage kDamages[] = {
    {"empty", [](Bytes& b) { b.clear(); }, "empty"},
    {"one byte", [](Bytes& b) { b.resize(1); }, "1 bytes"},
    {"cut before the last byte", [](Bytes& b) { b.pop_back(); }, "2047 bytes"},
    {"cut at a sector", [](Bytes& b) { b.resize(512); }, "512 bytes"},
    {"one byte too many", [](Bytes& b) { b.push_back('\n'); }, "2049 bytes"},
    {"zeroed sector", [](Bytes& b) { std::fill(b.begin() + 1024, b.begin() + 1536, 0); }, "mixed at byte 1024"},
    {"all zeros", [](Bytes& b) { std::fill(b.begin(), b.end(), 0); }, "no generation record"},
    {"older last sector", [](Bytes& b) {
         const Bytes older = recordBytes(6);
         std::copy(older.begin() + 1536, older.end(), b.begin() + 1536);
     }, "mixed at byte 1544"},
    {"older first sector", [](Bytes& b) {
         const Bytes older = recordBytes(6);
         std::copy(older.begin(), older.begin() + 512, b.begin());
     }, "mixed at byte 520"},
    {"two lines swapped", [](Bytes& b) {
         std::swap_ranges(b.begin() + 16, b.begin() + 32, b.begin() + 32);
     }, "mixed at byte 30"},
    {"last byte changed", [](Bytes& b) { b.back() = ' '; }, "mixed at byte 2047"},
    {"first line of another shape", [](Bytes& b) { b[9] = '_'; }, "no generation record"},
};

TEST(GenerationRecord, EveryDamageIsReportedWithItsPlace)
{
    for (const Damage& damage : kDamages) {
        Bytes bytes = recordBytes(7);
        damage.apply(bytes);
        const Inspection found = inspectGeneration(bytes);
        EXPECT_FALSE(found.generation.has_value()) << damage.name;
        EXPECT_NE(found.problem.find(damage.problemMentions), std::string::npos)
            << damage.name << ": " << found.problem;
    }
}

TEST(GenerationRecord, EveryCutPointIsDamage)
{
    const Bytes whole = recordBytes(3);
    for (std::size_t length = 0; length < whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_FALSE(inspectGeneration(cut).generation.has_value()) << "cut at " << length;
    }
}

TEST(CutVerdictTable, OnlyTheLastCompletedSaveOrTheNextCountAsCurrent)
{
    struct Row {
        std::optional<std::uint32_t> found;
        std::uint32_t lastCompleted;
        CutVerdict expected;
    };
    const Row rows[] = {
        {10, 10, CutVerdict::Current}, {11, 10, CutVerdict::Current}, {0, 0, CutVerdict::Current},
        {1, 0, CutVerdict::Current},   {9, 10, CutVerdict::Stale},    {0, 10, CutVerdict::Stale},
        {12, 10, CutVerdict::Damaged}, {std::nullopt, 10, CutVerdict::Damaged},
    };
    for (const Row& row : rows) {
        const Inspection file{row.found, row.found ? "" : "empty"};
        const CutOutcome outcome = judgeCut(file, row.lastCompleted);
        EXPECT_EQ(outcome.verdict, row.expected)
            << "found " << row.found.value_or(0) << ", last completed " << row.lastCompleted << ": " << outcome.detail;
    }
}

TEST(CutVerdictTable, NewFilesOfCompletedSavesMustAllBeThereComplete)
{
    const auto complete = [](std::uint32_t g) { return Inspection{g, ""}; };
    const Inspection cut{std::nullopt, "512 bytes instead of 2048"};
    struct Row {
        const char* name;
        std::map<std::string, Inspection> files;
        std::uint32_t lastCompleted;
        CutVerdict expected;
    };
    const Row rows[] = {
        {"nothing saved yet", {}, 0, CutVerdict::Current},
        {"all completed saves", {{"G0000001.CFG", complete(1)}, {"G0000002.CFG", complete(2)}}, 2, CutVerdict::Current},
        {"the save under way also landed",
         {{"G0000001.CFG", complete(1)}, {"G0000002.CFG", complete(2)}, {"G0000003.CFG", complete(3)}}, 2,
         CutVerdict::Current},
        {"a completed save's file missing", {{"G0000001.CFG", complete(1)}}, 2, CutVerdict::Stale},
        {"the first file missing", {{"G0000002.CFG", complete(2)}}, 2, CutVerdict::Stale},
        {"a completed save's file cut", {{"G0000001.CFG", cut}, {"G0000002.CFG", complete(2)}}, 2, CutVerdict::Damaged},
        {"the save under way left a cut file",
         {{"G0000001.CFG", complete(1)}, {"G0000002.CFG", complete(2)}, {"G0000003.CFG", cut}}, 2,
         CutVerdict::Damaged},
        {"a file holding another save", {{"G0000001.CFG", complete(2)}, {"G0000002.CFG", complete(2)}}, 2,
         CutVerdict::Damaged},
        {"a save that never started",
         {{"G0000001.CFG", complete(1)}, {"G0000002.CFG", complete(2)}, {"G0000004.CFG", complete(4)}}, 2,
         CutVerdict::Damaged},
    };
    for (const Row& row : rows) {
        const CutOutcome outcome = judgeNewFilesCut(row.files, row.lastCompleted);
        EXPECT_EQ(outcome.verdict, row.expected) << row.name << ": " << outcome.detail;
    }
    EXPECT_EQ(newFileName(42), "G0000042.CFG");
}

TEST(LeftoverTemporaryFiles, MatchOnlyTheEditorsOwnNamePattern)
{
    test::TempFolder folder;
    for (const char* name : {".ostra-0a1b2c3d.tmp", ".ostra-ffffffff.tmp", ".OSTRA-12345678.TMP", "A.CFG",
                             ".ostra-123.tmp", "ostra-12345678.tmp", ".ostra-12345678.tmp.cfg", ".ostra-123456789.tmp"}) {
        std::ofstream(folder.path() / name) << "x";
    }
    // FAT folds the case of names written in capitals; the search does too.
    EXPECT_EQ(leftoverTemporaryFiles(folder.path()),
              (std::vector<std::string>{".OSTRA-12345678.TMP", ".ostra-0a1b2c3d.tmp", ".ostra-ffffffff.tmp"}));
}

} // namespace
} // namespace ostra::cardtest
