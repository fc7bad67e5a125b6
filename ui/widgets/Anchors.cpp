#include "ui/widgets/Anchors.h"

#include <QWidget>

#include <utility>

namespace ostra {

namespace {

// One axis: the start and length of a control after its window grew by
// delta along that axis.
std::pair<int, int> anchorAxis(int start, int length, int delta, bool nearSide, bool farSide)
{
    if (nearSide && farSide)
        return {start, length + delta};
    if (farSide)
        return {start + delta, length};
    return {start, length};
}

} // namespace

void Anchors::Add(QWidget* control, int sides)
{
    entries_.push_back({control, control->geometry(), sides});
}

void Anchors::Apply(QSize clientSize) const
{
    const int dx = clientSize.width() - designSize_.width();
    const int dy = clientSize.height() - designSize_.height();
    for (const Entry& entry : entries_) {
        const auto [left, width] =
            anchorAxis(entry.Design.left(), entry.Design.width(), dx, entry.Sides & Left, entry.Sides & Right);
        const auto [top, height] =
            anchorAxis(entry.Design.top(), entry.Design.height(), dy, entry.Sides & Top, entry.Sides & Bottom);
        entry.Control->setGeometry(left, top, width, height);
    }
}

} // namespace ostra
