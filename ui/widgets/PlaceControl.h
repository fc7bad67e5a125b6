#pragma once

#include <QRect>
#include <QString>

namespace ostra {

// Gives a new control its name (tests and the keyboard code find controls
// by it) and its place in the window.
template <typename Control> Control* place(Control* control, const char* name, const QRect& rect)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(rect);
    return control;
}

} // namespace ostra
