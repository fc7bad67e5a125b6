#include "ui/widgets/WindowPlacement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

namespace ostra {

void CentreOnScreen(QWidget& window)
{
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

QRect FrameBeside(QSize frame, const QRect& anchor, const QRect& free)
{
    frame = frame.boundedTo(free.size());
    int left = anchor.right() + 1;
    if (left + frame.width() > free.right() + 1)
        left = anchor.left() - frame.width() >= free.left() ? anchor.left() - frame.width() : free.left();
    const int top = std::clamp(anchor.top(), free.top(), free.bottom() + 1 - frame.height());
    return {QPoint(left, top), frame};
}

QMargins Decorations(const QWidget& window)
{
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

void PlaceBeside(QWidget& window, const QWidget& anchor)
{
    const QScreen* screen = anchor.screen();
    if (screen == nullptr)
        return;
    const QMargins decorations = window.isVisible() ? Decorations(window) : Decorations(anchor);
    const QSize around(decorations.left() + decorations.right(), decorations.top() + decorations.bottom());
    const QRect frame = FrameBeside(window.size() + around, anchor.frameGeometry(), screen->availableGeometry());
    window.resize(frame.size() - around);
    window.move(frame.topLeft());
}

} // namespace ostra
