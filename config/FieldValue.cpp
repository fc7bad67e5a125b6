#include "config/FieldValue.h"

namespace ostra {

using namespace layout;

FieldValue ReadFieldValue(const TConfigRecord& record, const ConfigField& field)
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

void WriteFieldValue(TConfigRecord& record, const ConfigField& field, const FieldValue& value)
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

} // namespace ostra
