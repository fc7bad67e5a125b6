#include "platform/qt/QtMessageBoxes.h"

#include <QMessageBox>

namespace ostra {

void QtMessageBoxes::ShowError(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

SaveChoice QtMessageBoxes::AskToSave(QWidget* owner, const QString& caption, const QString& question)
{
    QMessageBox box(QMessageBox::Warning, caption, question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

} // namespace ostra
