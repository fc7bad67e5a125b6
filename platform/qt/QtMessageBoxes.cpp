#include "platform/qt/QtMessageBoxes.h"

#include <QMessageBox>

namespace ostra {

void QtMessageBoxes::ShowError(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace ostra
