#include "platform/qt/QtMessageBoxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace ostra {

void QtMessageBoxes::showError(QWidget* owner, const QString& caption, const QString& text, const QString& detail)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.setTextFormat(Qt::PlainText);
    // Shown under the text at once, not behind a button: it says what to do.
    if (!detail.isEmpty())
        box.setInformativeText(detail.toHtmlEscaped().replace(QLatin1Char('\n'), QLatin1String("<br>")));
    box.exec();
}

SaveChoice QtMessageBoxes::askToSave(QWidget* owner, const QString& caption, const QString& question)
{
    QMessageBox box(QMessageBox::Warning, caption, question,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    const QAbstractButton* review = box.addButton(QStringLiteral("Review..."), QMessageBox::ActionRole);
    box.exec();
    if (box.clickedButton() == review)
        return SaveChoice::Review;
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Save:
        return SaveChoice::Save;
    case QMessageBox::Discard:
        return SaveChoice::Discard;
    default:
        return SaveChoice::Cancel;
    }
}

// Writing over a file that is not the one opened may lose another unit's
// settings: Cancel is the default.
SaveChoice QtMessageBoxes::askToReplace(QWidget* owner, const QString& caption, const QString& question)
{
    QMessageBox box(QMessageBox::Warning, caption, question, QMessageBox::Save | QMessageBox::Cancel, owner);
    box.setTextFormat(Qt::PlainText);
    const QAbstractButton* review = box.addButton(QStringLiteral("Review..."), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    if (box.clickedButton() == review)
        return SaveChoice::Review;
    return box.standardButton(box.clickedButton()) == QMessageBox::Save ? SaveChoice::Save : SaveChoice::Cancel;
}

bool QtMessageBoxes::askToProceed(QWidget* owner, const QString& caption, const QString& question,
                                  ProceedButtons buttons)
{
    const bool saveCancel = buttons == ProceedButtons::SaveCancel;
    const QMessageBox::StandardButton proceed = saveCancel ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton stop = saveCancel ? QMessageBox::Cancel : QMessageBox::No;
    QMessageBox box(QMessageBox::Warning, caption, question, proceed | stop, owner);
    box.setTextFormat(Qt::PlainText);
    // Replacing a file is the step that cannot be undone, so there the
    // default is to stop, as the platform's own question has it.
    box.setDefaultButton(saveCancel ? proceed : stop);
    box.setEscapeButton(stop);
    return box.exec() == proceed;
}

} // namespace ostra
