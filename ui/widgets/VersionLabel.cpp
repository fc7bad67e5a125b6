#include "ui/widgets/VersionLabel.h"

#include <QLabel>

namespace ostra {

void SetVersionCaption(QLabel& label, const QString& caption, VersionLabelAnchor anchor)
{
    const QRect old = label.geometry();
    label.setText(caption);
    const int width = label.sizeHint().width();
    const int left = anchor == VersionLabelAnchor::Left ? old.left() : old.left() + old.width() - width;
    label.setGeometry(left, old.top(), width, old.height());
}

} // namespace ostra
