// The record's field table against the byte map: each field where the
// layout puts it, and together the fields own every setting bit once.
#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <stdexcept>

namespace ostra::test {
namespace {

using namespace layout;

struct PlacedField {
    const char* Key;
    FieldKind Kind;
    int Offset;
    int Width; // or the bit of a flag
    CodePageId Page;
};

// The first and last of each group, every option, both versions.
const PlacedField kPlaced[] = {
    {"description", FieldKind::Text, kDescriptionOffset, kDescriptionWidth, CodePageId::Cp437},
    {"mode", FieldKind::ScreenMode, kOptionFlagsOffset, kProfessionalModeBit, CodePageId::Cp1252},
    {"options.disable_autoselect", FieldKind::Flag, kOptionFlagsOffset, kDisableAutoSelectBit, CodePageId::Cp1252},
    {"options.disable_front_panel", FieldKind::Flag, kOptionFlagsOffset, kDisableFrontPanelBit, CodePageId::Cp1252},
    {"options.disable_front_ir", FieldKind::Flag, kOptionFlagsOffset, kDisableFrontIRBit, CodePageId::Cp1252},
    {"options.blanking", FieldKind::Flag, kOptionFlagsOffset, kBlankingBit, CodePageId::Cp1252},
    {"source.1.short", FieldKind::Text, sourceShortNameOffset(1), kShortNameWidth, CodePageId::Cp1252},
    {"source.1.full", FieldKind::Text, sourceFullNameOffset(1), kFullNameWidth, CodePageId::Cp1252},
    {"source.6.short", FieldKind::Text, sourceShortNameOffset(6), kShortNameWidth, CodePageId::Cp1252},
    {"source.6.full", FieldKind::Text, sourceFullNameOffset(6), kFullNameWidth, CodePageId::Cp1252},
    {"zone.1.short", FieldKind::Text, zoneShortNameOffset(1), kShortNameWidth, CodePageId::Cp1252},
    {"zone.6.full", FieldKind::Text, zoneFullNameOffset(6), kFullNameWidth, CodePageId::Cp1252},
    {"zone.1.wallplates", FieldKind::Wallplates, wallplateGroupOffset(1), 0, CodePageId::Cp1252},
    {"zone.6.wallplates", FieldKind::Wallplates, wallplateGroupOffset(6), 0, CodePageId::Cp1252},
    {"zone.1.main", FieldKind::Flag, kZoneMainOutputOffset, zoneMainOutputBit(1), CodePageId::Cp1252},
    {"zone.6.main", FieldKind::Flag, kZoneMainOutputOffset, zoneMainOutputBit(6), CodePageId::Cp1252},
    {"installer.1", FieldKind::InstallerLine, installerLineOffset(1), kInstallerLineWidth, CodePageId::Cp1252},
    {"installer.4", FieldKind::InstallerLine, installerLineOffset(4), kInstallerLineWidth, CodePageId::Cp1252},
    {"hardware_version", FieldKind::Version, kHardwareVersionOffset, kVersionPartWidth, CodePageId::Cp1252},
    {"software_version", FieldKind::Version, kSoftwareVersionOffset, kVersionPartWidth, CodePageId::Cp1252},
};

TEST(ConfigFieldsTest, FieldsLieWhereTheLayoutPutsThem)
{
    for (const PlacedField& row : kPlaced) {
        const ConfigField* field = FindConfigField(&ConfigField::Key, row.Key);
        ASSERT_NE(field, nullptr) << row.Key;
        EXPECT_EQ(field->Kind, row.Kind) << row.Key;
        EXPECT_EQ(field->Offset, row.Offset) << row.Key;
        EXPECT_EQ(field->Width, row.Width) << row.Key;
        EXPECT_EQ(field->Page, row.Page) << row.Key;
    }
}

using BitOwners = std::array<std::array<int, 8>, kRecordSize>;

void own(BitOwners& owners, int offset, int bit)
{
    ++owners.at(static_cast<std::size_t>(offset)).at(static_cast<std::size_t>(bit));
}

void ownBytes(BitOwners& owners, int offset, int width)
{
    for (int b = offset; b < offset + width; ++b)
        for (int bit = 0; bit < 8; ++bit)
            own(owners, b, bit);
}

// The bits a field's value decides, from the table's own numbers.
void ownField(BitOwners& owners, const ConfigField& field)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        ownBytes(owners, field.Offset, field.Width);
        return;
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        own(owners, field.Offset, field.Width);
        return;
    case FieldKind::Wallplates:
        for (int w = 0; w < kWallplateCount; ++w)
            own(owners, field.Offset + w / 8, w % 8);
        return;
    case FieldKind::Version:
        ownBytes(owners, field.Offset, 2 * field.Width);
        return;
    }
}

// The setting bits of the byte map: texts, wallplates, main outputs,
// options and versions; every other bit is carried.
BitOwners settingBits()
{
    BitOwners bits{};
    ownBytes(bits, kDescriptionOffset, kWallplateGroupBase);
    for (int z = 1; z <= kZoneCount; ++z)
        for (int w = 1; w <= kWallplateCount; ++w)
            own(bits, wallplateByteOffset(z, w), wallplateBit(w));
    ownBytes(bits, kInstallerInfoOffset, kInstallerInfoWidth);
    for (int z = 1; z <= kZoneCount; ++z)
        own(bits, kZoneMainOutputOffset, zoneMainOutputBit(z));
    for (const int bit : {kProfessionalModeBit, kDisableAutoSelectBit, kDisableFrontPanelBit, kDisableFrontIRBit,
                          kBlankingBit})
        own(bits, kOptionFlagsOffset, bit);
    ownBytes(bits, kHardwareVersionOffset, kTailReservedOffset - kHardwareVersionOffset);
    return bits;
}

TEST(ConfigFieldsTest, EverySettingBitBelongsToExactlyOneField)
{
    BitOwners owners{};
    for (const ConfigField& field : ConfigFields())
        ownField(owners, field);
    const BitOwners expected = settingBits();
    for (int b = 0; b < kRecordSize; ++b)
        for (int bit = 0; bit < 8; ++bit)
            ASSERT_EQ(owners[b][bit], expected[b][bit]) << "byte " << b << " bit " << bit;
}

TEST(ConfigFieldsTest, NamesFindTheirFieldAndNoOther)
{
    std::set<std::string> keys;
    std::set<std::string> pointers;
    for (const ConfigField& field : ConfigFields()) {
        EXPECT_TRUE(keys.insert(field.Key).second) << field.Key;
        EXPECT_TRUE(pointers.insert(field.Pointer).second) << field.Pointer;
        EXPECT_EQ(FindConfigField(&ConfigField::Key, field.Key), &field);
        EXPECT_EQ(FindConfigField(&ConfigField::Pointer, field.Pointer), &field);
    }
    EXPECT_EQ(FindConfigField(&ConfigField::Key, "zone.7.full"), nullptr);
    EXPECT_THROW(GroupField(kZoneGroup, 7, &kFullName), std::out_of_range);
}

} // namespace
} // namespace ostra::test
