#include "ui/widgets/FieldChanges.h"

#include <QStringList>

#include "config/ConfigLayout.h"
#include "config/FieldText.h"

namespace ostra {

namespace {

constexpr QChar kMinusSign(0x2212);

// The wallplate names of zone (from 1) that pass keep(), in wallplate order.
template <typename Keep> QStringList wallplateNames(int zone, Keep keep)
{
    QStringList names;
    for (int item = 0; item < layout::kWallplateCount; ++item)
        if (keep(zone - 1, item))
            names << QString::fromStdString(WallplateName(item + 1));
    return names;
}

} // namespace

QString FieldValueText(const TConfigRecord& record, const ConfigField& field)
{
    return QString::fromStdString(ValueAsShown(record, field));
}

QString WallplateChangeText(const TConfigRecord& kept, const TConfigRecord& now, int zone)
{
    const auto gained = [&](int z, int item) { return ZoneFeedsWallplate(now, z + 1, item + 1) && !ZoneFeedsWallplate(kept, z + 1, item + 1); };
    const auto lost = [&](int z, int item) { return ZoneFeedsWallplate(kept, z + 1, item + 1) && !ZoneFeedsWallplate(now, z + 1, item + 1); };
    QStringList parts;
    for (const QString& name : wallplateNames(zone, gained))
        parts << QLatin1Char('+') + name;
    for (const QString& name : wallplateNames(zone, lost))
        parts << kMinusSign + name;
    return parts.join(QLatin1Char(' '));
}

QString MarkChangeSign(bool kept, bool now)
{
    if (kept == now)
        return {};
    return now ? QStringLiteral("+") : QString(kMinusSign);
}

} // namespace ostra
