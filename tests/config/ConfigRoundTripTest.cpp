#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "config/ConfigRecord.h"
#include "platform/files/FileTestSupport.h"

namespace ostra {
namespace {

using namespace layout;
using test::Bytes;

struct TextField {
    int offset;
    int width;
};

// Description and the 24 names: each is read and written on its own.
std::vector<TextField> namedFields()
{
    std::vector<TextField> fields{{kDescriptionOffset, kDescriptionWidth}};
    for (int i = 1; i <= kSourceCount; ++i) {
        fields.push_back({sourceShortNameOffset(i), kShortNameWidth});
        fields.push_back({sourceFullNameOffset(i), kFullNameWidth});
    }
    for (int z = 1; z <= kZoneCount; ++z) {
        fields.push_back({zoneShortNameOffset(z), kShortNameWidth});
        fields.push_back({zoneFullNameOffset(z), kFullNameWidth});
    }
    return fields;
}

struct BitAddress {
    int offset;
    int bit;
};

std::vector<BitAddress> editedBits()
{
    std::vector<BitAddress> bits;
    for (int z = 1; z <= kZoneCount; ++z) {
        for (int w = 1; w <= kWallplateCount; ++w)
            bits.push_back({wallplateByteOffset(z, w), wallplateBit(w)});
        bits.push_back({kZoneMainOutputOffset, zoneMainOutputBit(z)});
    }
    for (int bit : {kProfessionalModeBit, kDisableAutoSelectBit, kDisableFrontPanelBit, kDisableFrontIRBit, kBlankingBit})
        bits.push_back({kOptionFlagsOffset, bit});
    return bits;
}

// What the editor's window holds between a load and a save.
struct EditorValues {
    std::vector<std::string> names;
    std::array<std::string, kInstallerLineCount> installerLines;
    std::vector<bool> bits;
};

EditorValues fillFromRecord(const TConfigRecord& record)
{
    EditorValues values;
    for (const TextField& field : namedFields())
        values.names.push_back(ReadConfigText(record, field.offset, field.width));
    for (int k = 1; k <= kInstallerLineCount; ++k)
        values.installerLines[k - 1] = ReadInstallerLine(record, k);
    for (const BitAddress& address : editedBits())
        values.bits.push_back(GetConfigBit(record, address.offset, address.bit));
    return values;
}

void gatherIntoRecord(const EditorValues& values, TConfigRecord& record)
{
    StampSoftwareVersion(record);
    const auto fields = namedFields();
    for (std::size_t i = 0; i < fields.size(); ++i)
        WriteConfigText(record, fields[i].offset, fields[i].width, values.names[i]);
    for (int k = 1; k <= kInstallerLineCount; ++k)
        WriteConfigText(record, installerLineOffset(k), kInstallerLineWidth, values.installerLines[k - 1]);
    const auto bits = editedBits();
    for (std::size_t i = 0; i < bits.size(); ++i)
        SetConfigBit(record, bits[i].offset, bits[i].bit, values.bits[i]);
}

void spacesFromFirstNul(Bytes& bytes, int offset, int width)
{
    const auto begin = bytes.begin() + offset;
    std::fill(std::find(begin, begin + width, 0), begin + width, kTextPadding);
}

// The bytes a load and an unedited save must produce, straight from the
// round-trip rules of the file format.
Bytes predictedSave(const Bytes& file)
{
    Bytes expected(file.begin(), file.begin() + kRecordSize);
    if (file[0] == kBlankMarker) {
        std::ranges::fill(expected, 0);
        for (const TextField& field : namedFields())
            std::fill_n(expected.begin() + field.offset, field.width, kTextPadding);
        std::fill_n(expected.begin() + kInstallerInfoOffset, kInstallerInfoWidth, kTextPadding);
    } else {
        for (const TextField& field : namedFields())
            spacesFromFirstNul(expected, field.offset, field.width);
        spacesFromFirstNul(expected, kInstallerInfoOffset, kInstallerInfoWidth);
    }
    const Bytes stamp{' ', '1', '0', '1'};
    std::ranges::copy(stamp, expected.begin() + kSoftwareVersionOffset);
    // A longer file is left one record long.
    return expected;
}

// Random files with a varying share of NULs and 0xFF bytes, some blank,
// some longer than a record.
Bytes randomFile(std::mt19937& random)
{
    const int nulShare = std::uniform_int_distribution(0, 3)(random) * 8; // in 1/64
    std::uniform_int_distribution<int> byte(0, 255), share(0, 63);
    Bytes file(std::uniform_int_distribution(0, 4)(random) == 0 ? 3000 : kRecordSize);
    for (auto& value : file)
        value = static_cast<std::uint8_t>(share(random) < nulShare ? 0 : byte(random));
    if (share(random) < 8)
        file[0] = kBlankMarker;
    else if (file[0] == kBlankMarker)
        file[0] = 0xFE;
    return file;
}

TEST(ConfigRoundTrip, AnUneditedSaveFollowsTheRoundTripRules)
{
    constexpr unsigned kSeed = 20240611;
    constexpr int kFiles = 300;
    std::mt19937 random(kSeed);
    test::TempFolder folder;
    const std::string path = folder.file("unit.cfg");
    int blankFiles = 0;

    for (int n = 0; n < kFiles; ++n) {
        const Bytes file = randomFile(random);
        test::writeBytes(path, file);

        TConfigRecord record;
        ReadConfigFile(path, record);
        ASSERT_TRUE(std::equal(record.begin(), record.end(), file.begin())) << "file " << n;
        if (IsBlankConfig(record)) {
            ZeroConfig(record);
            ++blankFiles;
        }
        gatherIntoRecord(fillFromRecord(record), record);
        WriteConfigFile(path, record);

        ASSERT_EQ(test::readBytes(path), predictedSave(file)) << "file " << n << " of seed " << kSeed;
    }
    EXPECT_GT(blankFiles, 10) << "the generator must cover blank files";
}

} // namespace
} // namespace ostra
