#include "cli/FieldValue.h"

#include <algorithm>

namespace ostra::cli {

namespace {

using namespace layout;

void markText(int offset, int width, const std::string& bytes, OwnedBits& owned)
{
    const int length = std::min(static_cast<int>(bytes.size()), width);
    std::fill_n(owned.begin() + offset, length, std::uint8_t{0xFF});
}

} // namespace

FieldValue readField(const TConfigRecord& record, const ConfigField& field)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        return ReadFieldText(record, field);
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        return ReadFieldBit(record, field);
    case FieldKind::Wallplates: {
        WallplateSet plates;
        for (int w = 1; w <= kWallplateCount; ++w)
            plates[w - 1] = ZoneFeedsWallplate(record, field.Index, w);
        return plates;
    }
    case FieldKind::Version:
        return VersionText{ReadConfigText(record, versionMajorOffset(field.Offset), field.Width),
                           ReadConfigText(record, versionMinorOffset(field.Offset), field.Width)};
    }
    return {};
}

void writeField(TConfigRecord& record, const ConfigField& field, const FieldValue& value)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        WriteFieldText(record, field, std::get<std::string>(value));
        return;
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        WriteFieldBit(record, field, std::get<bool>(value));
        return;
    case FieldKind::Wallplates: {
        const WallplateSet& plates = std::get<WallplateSet>(value);
        for (int w = 1; w <= kWallplateCount; ++w)
            SetConfigBit(record, wallplateByteOffset(field.Index, w), wallplateBit(w), plates[w - 1]);
        return;
    }
    case FieldKind::Version: {
        const VersionText& version = std::get<VersionText>(value);
        WriteConfigText(record, versionMajorOffset(field.Offset), field.Width, version.Major);
        WriteConfigText(record, versionMinorOffset(field.Offset), field.Width, version.Minor);
        return;
    }
    }
}

void markOwnedBits(const ConfigField& field, const FieldValue& value, OwnedBits& owned)
{
    switch (field.Kind) {
    case FieldKind::Text:
    case FieldKind::InstallerLine:
        markText(field.Offset, field.Width, std::get<std::string>(value), owned);
        return;
    case FieldKind::Flag:
    case FieldKind::ScreenMode:
        owned[field.Offset] |= static_cast<std::uint8_t>(1u << field.Width);
        return;
    case FieldKind::Wallplates:
        for (int w = 1; w <= kWallplateCount; ++w)
            owned[wallplateByteOffset(field.Index, w)] |= static_cast<std::uint8_t>(1u << wallplateBit(w));
        return;
    case FieldKind::Version: {
        const VersionText& version = std::get<VersionText>(value);
        markText(versionMajorOffset(field.Offset), field.Width, version.Major, owned);
        markText(versionMinorOffset(field.Offset), field.Width, version.Minor, owned);
        return;
    }
    }
}

} // namespace ostra::cli
