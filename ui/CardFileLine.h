#pragma once

#include <QString>

#include "config/ConfigRecord.h"

namespace ostra {

// What the card file list shows of a file's record: the description up to
// its first NUL, or "<Blank Config File>" for a blank file.
QString CardFileDescription(const TConfigRecord& record);

// One line of the card file list: the name between brackets, right-aligned
// to 13 characters so that in a fixed-pitch font the closing brackets of
// all short names stand in one column, then three spaces and the
// description. A name of 13 characters or more is not cut.
//
//   [     CFG1.CFG]   Living Room
//   [LONGNAME1.CFG]   Hall
QString CardFileLine(const QString& fileName, const QString& description);

} // namespace ostra
