#include "ui/widgets/ChangeMarks.h"

#include <QListWidget>
#include <QPainter>
#include <QPolygon>
#include <QWidget>

#include "ui/widgets/Contrast.h"

namespace ostra {

namespace {

const char* const kMarkName = "changeMark";
const char* const kChangedDescription = "changed";
// WCAG 2.1 asks 3:1 of what shows a control's state.
constexpr double kMarkContrast = 3.0;
constexpr int kCornerSize = 7;
// How far an item's background moves towards the highlight colour; the
// item's text keeps its contrast at this share in Fusion's light and dark
// palettes.
constexpr double kItemTint = 0.3;

// A triangle in the control's top right corner, above the control's own
// drawing and transparent to the mouse.
class CornerMark final : public QWidget {
public:
    explicit CornerMark(QWidget& control) : QWidget(&control)
    {
        setObjectName(kMarkName);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
        setGeometry(control.width() - kCornerSize, 0, kCornerSize, kCornerSize);
        show();
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        const QPalette& palette = parentWidget()->palette();
        const QColor surface = palette.color(parentWidget()->backgroundRole());
        const QColor colour =
            LegibleAgainst(palette.color(QPalette::Highlight), palette.color(QPalette::Text), surface, kMarkContrast);
        QPainter painter(this);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        painter.drawPolygon(QPolygon({QPoint(0, 0), QPoint(kCornerSize, 0), QPoint(kCornerSize, kCornerSize)}));
    }
};

} // namespace

void SetChangeMark(QWidget& control, bool changed)
{
    if (HasChangeMark(control) == changed)
        return;
    if (changed)
        new CornerMark(control);
    else
        delete control.findChild<CornerMark*>(kMarkName, Qt::FindDirectChildrenOnly);
    control.setAccessibleDescription(changed ? kChangedDescription : "");
}

bool HasChangeMark(const QWidget& control)
{
    return control.findChild<QWidget*>(kMarkName, Qt::FindDirectChildrenOnly) != nullptr;
}

void SetChangeMark(QListWidgetItem& item, bool changed)
{
    // Every data change repaints the list; most calls change nothing.
    if (item.data(Qt::AccessibleDescriptionRole).isValid() == changed)
        return;
    if (!changed) {
        item.setData(Qt::BackgroundRole, QVariant());
        item.setData(Qt::AccessibleDescriptionRole, QVariant());
        return;
    }
    const QPalette palette = item.listWidget() != nullptr ? item.listWidget()->palette() : QPalette();
    item.setBackground(MixedColour(palette.color(QPalette::Base), palette.color(QPalette::Highlight), kItemTint));
    item.setData(Qt::AccessibleDescriptionRole, QString::fromLatin1(kChangedDescription));
}

} // namespace ostra
