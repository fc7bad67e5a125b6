#include "config/ConfigRecord.h"

#include <algorithm>
#include <array>
#include <bit>
#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace ostra {
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace layout;

TConfigRecord recordFilledWith(std::uint8_t value)
{
    TConfigRecord record;
    record.fill(value);
    return record;
}

void put(TConfigRecord& record, int offset, const Bytes& bytes)
{
    std::ranges::copy(bytes, record.begin() + offset);
}

Bytes bytesAt(const TConfigRecord& record, int offset, int count)
{
    return Bytes(record.begin() + offset, record.begin() + offset + count);
}

TEST(ConfigText, ReadStopsAtTheFirstNulAndKeepsEverythingElse)
{
    const struct {
        const char* name;
        Bytes field;
        std::string text;
    } rows[] = {
        {"NulAfterOneLetter", {0x41, 0x00, 0x42, 0x43}, "A"},
        {"AllZero", {0x00, 0x00, 0x00, 0x00}, ""},
        {"TrailingSpacesKept", {0x41, 0x42, 0x20, 0x20}, "AB  "},
        {"NoNulUsesTheWholeWidth", {0xFF, 0x01, 0x7F, 0x80}, "\xFF\x01\x7F\x80"},
        {"NulInTheLastByte", {0x20, 0x41, 0x42, 0x00}, " AB"},
    };
    for (const auto& row : rows) {
        TConfigRecord record = recordFilledWith(0x5A);
        put(record, sourceShortNameOffset(3), row.field);
        EXPECT_EQ(ReadConfigText(record, sourceShortNameOffset(3), kShortNameWidth), row.text) << row.name;
    }
}

TEST(ConfigText, ReadNeverLooksPastItsWidth)
{
    TConfigRecord record = recordFilledWith(0x41);
    EXPECT_EQ(ReadConfigText(record, kDescriptionOffset, kDescriptionWidth), std::string(32, 'A'));
    EXPECT_EQ(ReadConfigText(record, kRecordSize - 2, 2), "AA");
}

TEST(ConfigText, WritePadsWithSpacesOrCutsAtTheWidth)
{
    const struct {
        const char* name;
        int offset;
        int width;
        std::string text;
        std::string stored;
    } rows[] = {
        {"ShortNamePadded", sourceShortNameOffset(1), kShortNameWidth, "AB", "AB  "},
        {"ShortNameCut", sourceShortNameOffset(1), kShortNameWidth, "ABCDE", "ABCD"},
        {"EmptyIsAllSpaces", kDescriptionOffset, kDescriptionWidth, "", std::string(32, ' ')},
        {"DescriptionCut", kDescriptionOffset, kDescriptionWidth, std::string(40, 'x'), std::string(32, 'x')},
        {"ExactWidth", zoneFullNameOffset(6), kFullNameWidth, "Living Room 1", "Living Room 1"},
        {"BytesUnconverted", installerLineOffset(4), kInstallerLineWidth, "\xE9t\xE9\xFF",
         "\xE9t\xE9\xFF" + std::string(26, ' ')},
    };
    for (const auto& row : rows) {
        TConfigRecord record = recordFilledWith(0xA5);
        WriteConfigText(record, row.offset, row.width, row.text);
        EXPECT_EQ(bytesAt(record, row.offset, row.width), Bytes(row.stored.begin(), row.stored.end())) << row.name;
        if (row.offset > 0) {
            EXPECT_EQ(record[row.offset - 1], 0xA5) << row.name << ": byte before the field";
        }
        EXPECT_EQ(record[row.offset + row.width], 0xA5) << row.name << ": byte after the field";
    }
}

TEST(ConfigText, FieldsOutsideTheRecordAreRefused)
{
    TConfigRecord record{};
    EXPECT_THROW(ReadConfigText(record, kRecordSize - 1, 2), std::out_of_range);
    EXPECT_THROW(ReadConfigText(record, -1, 2), std::out_of_range);
    EXPECT_THROW(WriteConfigText(record, kRecordSize, 1, "A"), std::out_of_range);
    EXPECT_THROW(GetConfigBit(record, kRecordSize, 0), std::out_of_range);
    EXPECT_THROW(SetConfigBit(record, kOptionFlagsOffset, 8, true), std::out_of_range);
    EXPECT_THROW(ReadInstallerLine(record, 5), std::out_of_range);
    EXPECT_THROW(ReadInstallerLine(record, 0), std::out_of_range);
}

// The installer information is one text: a NUL ends it for every line after.
TEST(InstallerLine, LinesAreCutFromOneTextEndingAtTheFirstNul)
{
    const struct {
        const char* name;
        int nulAt; // byte offset of the single NUL in 290..409, or -1
        std::array<std::size_t, 4> lengths;
    } rows[] = {
        {"NoNul", -1, {30, 30, 30, 30}},
        {"NulInLine1", 300, {10, 0, 0, 0}},
        {"NulStartsLine2", 320, {30, 0, 0, 0}},
        {"NulInLine3", 355, {30, 30, 5, 0}},
        {"NulLastByte", 409, {30, 30, 30, 29}},
        {"NulFirstByte", 290, {0, 0, 0, 0}},
    };
    for (const auto& row : rows) {
        TConfigRecord record{};
        for (int offset = kInstallerInfoOffset; offset < kZoneMainOutputOffset; ++offset)
            record[offset] = static_cast<std::uint8_t>('a' + (offset - kInstallerInfoOffset) % 26);
        if (row.nulAt >= 0)
            record[row.nulAt] = 0;
        for (int line = 1; line <= kInstallerLineCount; ++line) {
            const std::string text = ReadInstallerLine(record, line);
            ASSERT_EQ(text.size(), row.lengths[line - 1]) << row.name << " line " << line;
            EXPECT_EQ(text, ReadConfigText(record, installerLineOffset(line), static_cast<int>(text.size())))
                << row.name << " line " << line;
        }
    }
}

TEST(ConfigBit, SetAndClearTouchOnlyTheirBit)
{
    for (int value = 0; value < 256; ++value) {
        for (int bit = 0; bit < 8; ++bit) {
            TConfigRecord record{};
            record[kOptionFlagsOffset] = static_cast<std::uint8_t>(value);
            const bool wasSet = (value >> bit) & 1;
            EXPECT_EQ(GetConfigBit(record, kOptionFlagsOffset, bit), wasSet);
            SetConfigBit(record, kOptionFlagsOffset, bit, true);
            EXPECT_EQ(record[kOptionFlagsOffset], value | (1 << bit));
            SetConfigBit(record, kOptionFlagsOffset, bit, false);
            EXPECT_EQ(record[kOptionFlagsOffset], value & ~(1 << bit));
            EXPECT_EQ(record[kOptionFlagsOffset - 1], 0);
            EXPECT_EQ(record[kOptionFlagsOffset + 1], 0);
        }
    }
}

TEST(ConfigBit, ProfessionalModeOnCarriedBits)
{
    TConfigRecord record{};
    record[kOptionFlagsOffset] = 0x83;
    SetConfigBit(record, kOptionFlagsOffset, kProfessionalModeBit, true);
    EXPECT_EQ(record[kOptionFlagsOffset], 0x87);
    SetConfigBit(record, kOptionFlagsOffset, kProfessionalModeBit, false);
    EXPECT_EQ(record[kOptionFlagsOffset], 0x83);
}

// Every wallplate of every zone owns exactly one bit of bytes 236 to 289.
TEST(ConfigBit, EachWallplateHasItsOwnBit)
{
    for (int zone = 1; zone <= kZoneCount; ++zone) {
        for (int plate = 1; plate <= kWallplateCount; ++plate) {
            TConfigRecord record{};
            SetConfigBit(record, wallplateByteOffset(zone, plate), wallplateBit(plate), true);
            int setBits = 0;
            for (int offset = kWallplateGroupBase; offset < kInstallerInfoOffset; ++offset)
                setBits += std::popcount(record[offset]);
            EXPECT_EQ(setBits, 1) << "zone " << zone << " plate " << plate;
            EXPECT_TRUE(GetConfigBit(record, wallplateByteOffset(zone, plate), wallplateBit(plate)));
        }
    }
    TConfigRecord record{};
    SetConfigBit(record, wallplateByteOffset(6, 36), wallplateBit(36), true);
    EXPECT_EQ(record[285], 0x08) << "F6 of zone 6 is bit 3 of byte 285";
}

TEST(BlankRecord, HoldsTheClearPattern)
{
    TConfigRecord record = recordFilledWith(0x77);
    BlankConfig(record);
    EXPECT_TRUE(IsBlankConfig(record));
    EXPECT_EQ(ReadConfigText(record, kDescriptionOffset, kDescriptionWidth), "\xFF" + std::string(31, ' '));
    for (int offset = kDescriptionWidth; offset < kRecordSize; ++offset)
        ASSERT_EQ(record[offset], 0) << "offset " << offset;
    EXPECT_EQ(ConfigVersionText(record, kHardwareVersionOffset), ".");
    EXPECT_EQ(ConfigVersionText(record, kSoftwareVersionOffset), ".");

    ZeroConfig(record);
    EXPECT_EQ(record, TConfigRecord{});
    EXPECT_FALSE(IsBlankConfig(record));
}

TEST(BlankRecord, OnlyByteZeroDecides)
{
    for (const int first : {0x00, 0xFE, 0x20, 0xFF}) {
        TConfigRecord record = recordFilledWith(0xFF);
        record[0] = static_cast<std::uint8_t>(first);
        EXPECT_EQ(IsBlankConfig(record), first == 0xFF) << first;
    }
}

TEST(Version, StampAndTexts)
{
    TConfigRecord record = recordFilledWith(0x39);
    StampSoftwareVersion(record);
    EXPECT_EQ(bytesAt(record, kSoftwareVersionOffset, 4), (Bytes{0x20, 0x31, 0x30, 0x31}));
    EXPECT_EQ(ConfigVersionText(record, kSoftwareVersionOffset), " 1.01");
    EXPECT_EQ(record[kSoftwareVersionOffset - 1], 0x39);
    EXPECT_EQ(record[kSoftwareVersionOffset + 4], 0x39);
    EXPECT_EQ(ConfigVersionText(record, kHardwareVersionOffset), "99.99");

    put(record, kHardwareVersionOffset, {0x31, 0x00, 0x30, 0x38});
    EXPECT_EQ(ConfigVersionText(record, kHardwareVersionOffset), "1.08");
}

} // namespace
} // namespace ostra
