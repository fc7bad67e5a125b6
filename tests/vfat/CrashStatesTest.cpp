// The crash-state explorer's own parts on logs and images made by hand:
// the dm-log-writes reader, the states each crash model builds, and the
// judge that tells an old, a new and a mixed file apart.
#include "CrashStates.h"
#include "Generation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace ostra::cardtest {
namespace {

constexpr std::uint32_t kSector = 512;
using Bytes = std::vector<std::uint8_t>;

LoggedRequest write(std::uint64_t sector, const Bytes& data)
{
    return {LoggedRequest::Kind::Write, sector, data.size() / kSector, false, data};
}

LoggedRequest flush()
{
    return {LoggedRequest::Kind::Flush, 0, 0, false, {}};
}

Bytes filled(std::size_t sectors, std::uint8_t value)
{
    return Bytes(sectors * kSector, value);
}

Bytes recordBytes(std::uint32_t generation)
{
    const TConfigRecord record = generationRecord(generation);
    return {record.begin(), record.end()};
}

TEST(WriteLogTest, ReadsWhatTheFormatHoldsAndRefusesWhatItDoesNot)
{
    WriteLog log;
    log.Requests = {write(3, filled(2, 0xAB)), flush(),
                    {LoggedRequest::Kind::Mark, 0, 0, false, Bytes{'s', 'a', 'v', 'e'}},
                    {LoggedRequest::Kind::Write, 9, 1, true, filled(1, 0x11)}};
    const Bytes bytes = writeWriteLog(log);
    // The super block as dm-log-writes lays it out.
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8), (Bytes{0x72, 0x68, 0x73, 0x77, 0x66, 0x73, 0x6a, 0x00}));

    const WriteLog read = readWriteLog(bytes);
    ASSERT_EQ(read.Requests.size(), 4u);
    EXPECT_EQ(read.Requests[0].Sector, 3u);
    EXPECT_EQ(read.Requests[0].Data, filled(2, 0xAB));
    EXPECT_EQ(read.Requests[1].What, LoggedRequest::Kind::Flush);
    EXPECT_EQ(read.Requests[2].What, LoggedRequest::Kind::Mark);
    EXPECT_EQ(read.Requests[2].Data, (Bytes{'s', 'a', 'v', 'e'}));
    EXPECT_TRUE(read.Requests[3].ForceUnitAccess);
    EXPECT_EQ(read.Requests[3].Data, filled(1, 0x11));

    Bytes wrongMagic = bytes;
    wrongMagic[0] ^= 1;
    EXPECT_THROW(readWriteLog(wrongMagic), WriteLogError);
    for (const std::size_t cut : {std::size_t{4}, std::size_t{kSector + 8}, bytes.size() - 1})
        EXPECT_THROW(readWriteLog(std::span(bytes).first(cut)), WriteLogError) << "cut at " << cut;
}

// A save of a 4-sector file over its old content, then the flush, then
// the directory entry's sector: the shape of an in-place save.
struct ModelCase {
    CrashModel Model;
    std::size_t States;
    std::size_t Mixed; // states whose file holds old and new sectors
};

TEST(CrashStatesTest, EachModelBuildsItsStatesAndOnlyTornWritesMixAFile)
{
    constexpr std::uint64_t kFileSector = 4;
    Bytes image(16 * kSector, 0);
    const Bytes before = recordBytes(7);
    std::copy(before.begin(), before.end(), image.begin() + kFileSector * kSector);
    const std::vector<LoggedRequest> save = {write(kFileSector, recordBytes(8)), flush(), write(1, filled(1, 0xDE)),
                                             flush()};
    const ModelCase cases[] = {
        {CrashModel::Prefix, 3, 0},
        {CrashModel::Reorder, 3, 0},
        // 16 subsets of the file's sectors, of which 14 are neither all
        // old nor all new; then the entry's sector.
        {CrashModel::Torn, 17, 14},
    };
    for (const ModelCase& row : cases) {
        SCOPED_TRACE(modelName(row.Model));
        const std::vector<CrashState> states = buildCrashStates(save, kSector, row.Model);
        EXPECT_EQ(states.size(), row.States);
        std::map<ContentVerdict, std::size_t> verdicts;
        for (const CrashState& state : states) {
            const std::vector<std::uint8_t> left = stateImage(image, state);
            ++verdicts[judgeContent(std::span(left).subspan(kFileSector * kSector, 2048), 7, 8)];
        }
        EXPECT_EQ(verdicts[ContentVerdict::Mixed], row.Mixed);
        EXPECT_EQ(verdicts[ContentVerdict::Neither], 0u);
        EXPECT_GE(verdicts[ContentVerdict::Old], 1u) << "the crash before anything reached the card";
        EXPECT_EQ(stateImage(image, states.back())[kSector], 0xDE) << "the last state holds every write";
    }
}

TEST(CrashStatesTest, AWriteOnlyOrderedByAFlushNeverLandsWithoutTheWritesBeforeIt)
{
    Bytes image(8 * kSector, 0);
    const std::vector<LoggedRequest> requests = {write(1, filled(1, 'a')), flush(), write(2, filled(1, 'b'))};
    for (const CrashModel model : {CrashModel::Prefix, CrashModel::Reorder, CrashModel::Torn}) {
        SCOPED_TRACE(modelName(model));
        for (const CrashState& state : buildCrashStates(requests, kSector, model)) {
            const std::vector<std::uint8_t> left = stateImage(image, state);
            EXPECT_FALSE(left[2 * kSector] == 'b' && left[kSector] != 'a') << state.Name;
        }
    }
}

TEST(CrashStatesTest, ALargeEpochIsSampledWithEveryPrefixAndEveryWriteLeftOut)
{
    Bytes image(32 * kSector, 0);
    std::vector<LoggedRequest> requests;
    for (std::uint64_t s = 0; s < 20; ++s)
        requests.push_back(write(s, filled(1, static_cast<std::uint8_t>(s + 1))));
    StateLimits limits;
    limits.Samples = 50;
    const std::vector<CrashState> states = buildCrashStates(requests, kSector, CrashModel::Reorder, limits);
    EXPECT_GE(states.size(), 21u + 20u);
    EXPECT_LE(states.size(), 21u + 20u + 50u);
    const auto holds = [&](std::size_t written, std::size_t leftOut) {
        return std::any_of(states.begin(), states.end(), [&](const CrashState& state) {
            const std::vector<std::uint8_t> left = stateImage(image, state);
            for (std::size_t s = 0; s < 20; ++s) {
                const bool expected = leftOut < 20 ? s != leftOut : s < written;
                if ((left[s * kSector] != 0) != expected)
                    return false;
            }
            return true;
        });
    };
    for (std::size_t n = 0; n <= 20; ++n)
        EXPECT_TRUE(holds(n, 20)) << "the first " << n << " writes";
    for (std::size_t s = 0; s < 20; ++s)
        EXPECT_TRUE(holds(20, s)) << "all but write " << s;
}

TEST(CrashStatesTest, AWriteBeyondTheImageIsRefused)
{
    Bytes image(2 * kSector, 0);
    const std::vector<LoggedRequest> requests = {write(2, filled(1, 1))};
    for (const CrashState& state : buildCrashStates(requests, kSector, CrashModel::Torn)) {
        if (!state.Patches.empty()) {
            EXPECT_THROW(stateImage(image, state), WriteLogError) << state.Name;
        }
    }
}

} // namespace
} // namespace ostra::cardtest
