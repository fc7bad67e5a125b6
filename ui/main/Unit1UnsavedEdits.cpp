// Unsaved edits are kept or given up on purpose: before the window closes,
// opens another file or clears, it asks whether to save what was edited
// since the last open, save or Clear. Without edits nothing asks.
#include "ui/main/Unit1.h"

#include <filesystem>

#include <QCloseEvent>

#include "platform/qt/MessageBoxes.h"
#include "ui/widgets/DisplayText.h"
#include "ui/widgets/ApplicationTitle.h"

namespace ostra {

// The unit against what was last opened, saved or cleared: an edit undone
// by hand is no edit.
bool TForm1::hasUnsavedEdits()
{
    return document_.Modified();
}

bool TForm1::SettleUnsavedEdits(QWidget* owner)
{
    if (!hasUnsavedEdits())
        return true;
    const QString name = CurrentFilePath.empty()
                             ? QStringLiteral("the unsaved settings")
                             : DisplayName(std::filesystem::path(CurrentFilePath).filename().string());
    switch (messageBoxes_.askToSave(owner != nullptr ? owner : this, QString::fromLatin1(kApplicationTitle),
                                    QStringLiteral("Save changes to %1?").arg(name))) {
    case SaveChoice::Save:
        // As the Save command saves, its dialogs and boxes above owner;
        // cancelling any of them, or a failed save, keeps everything as it
        // is.
        return SaveAsCommanded(owner);
    case SaveChoice::Discard:
        return true;
    case SaveChoice::Review:
        // The changes are listed to be kept or reverted one by one; what
        // was about to happen waits until it is asked for again.
        ShowReviewChanges(owner);
        return false;
    case SaveChoice::Cancel:
        return false;
    }
    return false;
}

void TForm1::closeEvent(QCloseEvent* event)
{
    if (SettleUnsavedEdits(this))
        event->accept();
    else
        event->ignore();
}

} // namespace ostra
