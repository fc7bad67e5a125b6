#pragma once

#include <QStringList>

#include "config/ConfigRecord.h"

namespace ostra {

// The zone assignment editor's view of the record: zone index 0 to 5 (the
// row in the zone list), wallplate item 0 to 35 (the row in the wallplate
// list, wallplate item + 1 of the byte map).

QStringList ZoneCaptions();       // "Zone 1" to "Zone 6"
QStringList MainOutputCaptions(); // "01" to "06"
QStringList WallplateCaptions(); // "A1 - 01" to "F6 - 36"

bool WallplateMark(const TConfigRecord& record, int zone, int item);
void SetWallplateMark(TConfigRecord& record, int zone, int item, bool marked);

} // namespace ostra
