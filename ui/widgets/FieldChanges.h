#pragma once

#include <QString>

#include "config/ConfigFields.h"
#include "config/ConfigRecord.h"

namespace ostra {

// How a field of the window reads, and how it compares between the record
// as last opened, saved or cleared (kept) and now: what the change marks
// and the review of changes show. Whether a field changed at all is the
// document's to say (document/UnitDocument.h).

// A field's value as the window shows it (ValueAsShown, the text show and
// the report give it too).
QString FieldValueText(const TConfigRecord& record, const ConfigField& field);

// The wallplates a zone (counted from 1) gained and lost: "+C1 −A2", the
// gained first, each in wallplate order.
QString WallplateChangeText(const TConfigRecord& kept, const TConfigRecord& now, int zone);

// The marks a grid cell shows for a change since the kept record: "+" for
// a mark added, "−" (U+2212) for one removed, nothing when unchanged.
QString MarkChangeSign(bool kept, bool now);

} // namespace ostra
