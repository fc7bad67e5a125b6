#include "ui/WindowPlacement.h"

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

void PlaceBeside(QWidget& window, const QWidget& anchor)
{
    const QScreen* screen = anchor.screen();
    if (screen == nullptr)
        return;
    const QRect free = screen->availableGeometry();
    // The frame's decorations are known only once a window was shown;
    // before that, the window's own size stands for its frame.
    const QSize decoration = window.frameGeometry().size() - window.size();
    window.resize(window.size().boundedTo(free.size() - decoration));
    const QRect beside = anchor.frameGeometry();
    const int width = window.width() + decoration.width();
    const int height = window.height() + decoration.height();
    int left = beside.right() + 1;
    if (left + width > free.right() + 1)
        left = beside.left() - width >= free.left() ? beside.left() - width : free.right() + 1 - width;
    const int top = std::clamp(beside.top(), free.top(), std::max(free.top(), free.bottom() + 1 - height));
    window.move(std::max(left, free.left()), top);
}

} // namespace ostra
