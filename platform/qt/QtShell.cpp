#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QUrl>

namespace ostra {

void QtShell::open(QWidget* /*owner*/, const QString& address)
{
    // A failure (no browser, no desktop) is deliberately ignored.
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace ostra
