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
