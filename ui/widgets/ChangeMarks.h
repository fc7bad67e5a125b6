#pragma once

class QListWidgetItem;
class QWidget;

namespace ostra {

// The mark of a control whose value differs from the file: a corner drawn
// over the control in the highlight colour, brightened until it stands
// out 3:1 from the control's surface in light and dark palettes alike,
// and "changed" as the control's accessible description (its name stays
// as it is). Unmarking removes both.
void SetChangeMark(QWidget& control, bool changed);
bool HasChangeMark(const QWidget& control);

// The same for one item of a list: the item's background takes a tint of
// the highlight colour, and its accessible description says "changed".
void SetChangeMark(QListWidgetItem& item, bool changed);

} // namespace ostra
