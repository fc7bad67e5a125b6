#include "ui/main/ZoneEditor.h"

#include "config/ConfigFields.h"
#include "config/ConfigLayout.h"

namespace ostra {

QStringList ZoneCaptions()
{
    QStringList captions;
    for (int z = 1; z <= layout::kZoneCount; ++z)
        captions << QString("Zone %1").arg(z);
    return captions;
}

QStringList MainOutputCaptions()
{
    QStringList captions;
    for (int z = 1; z <= layout::kZoneCount; ++z)
        captions << QString("%1").arg(z, 2, 10, QLatin1Char('0'));
    return captions;
}

QStringList WallplateCaptions()
{
    QStringList captions;
    for (int item = 0; item < layout::kWallplateCount; ++item)
        captions << QString::fromStdString(WallplateCaption(item + 1));
    return captions;
}

bool WallplateMark(const TConfigRecord& record, int zone, int item)
{
    return ZoneFeedsWallplate(record, zone + 1, item + 1);
}

void SetWallplateMark(TConfigRecord& record, int zone, int item, bool marked)
{
    const int wallplate = item + 1;
    SetConfigBit(record, layout::wallplateByteOffset(zone + 1, wallplate), layout::wallplateBit(wallplate), marked);
}

} // namespace ostra
