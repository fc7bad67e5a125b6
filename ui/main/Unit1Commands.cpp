// The main window's commands: open, save, Clear, Help, the title-bar
// status texts with their timer, and the logo link.
#include "ui/main/Unit1.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include "config/ConfigFile.h"
#include "document/FileState.h"
#include "platform/FileVolume.h"
#include "platform/InOutError.h"
#include "platform/Exception.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/Shell.h"
#include "ui/widgets/DisplayText.h"
#include "ui/main/ErrorAdvice.h"
#include "ui/widgets/HelpMemo.h"
#include "ui/main/SaveQuestions.h"

namespace ostra {

namespace {

QString messageOf(const Exception& error)
{
    return QString::fromStdString(error.Message);
}


} // namespace

void TForm1::ShowErrorMessage(const QString& text, QWidget* owner, const QString& detail)
{
    messageBoxes_.showError(owner != nullptr ? owner : this, "Error", text, detail);
}

void TForm1::showTitle(const char* prefix, const std::string& path)
{
    showTitleText(QString::fromLatin1(prefix) + DisplayName(path) +
                  (document_.ReadOnly() ? QString::fromLatin1(kReadOnlyMark) : QString()));
}

void TForm1::showTitleText(const QString& text)
{
    titleText_ = text;
    setWindowTitle(LiteralWindowTitle(text) + (document_.Modified() ? QStringLiteral("*") : QString()));
}

// The file is read before anything changes, so that a failed open leaves
// the record, the controls, the title and both file names as they were:
// otherwise plain Save would write this unit's settings into the file that
// failed to open.
bool TForm1::OpenConfig(const std::string& path, QWidget* messageOwner)
{
    try {
        // A file that may be read but not written (a card with its lock
        // switch on, a read-only file) opens all the same; the title says so.
        showFile(ReadFileState(files_, path), "Currently Editing: ");
        return true;
    } catch (const Exception& error) {
        ShowErrorMessage(messageOf(error), messageOwner, ErrorAdvice(error, FileTask::Open, path));
        return false;
    }
}

void TForm1::OpenConfigFromCard(const std::string& path)
{
    if (OpenConfig(path))
        CurrentFilePath = path;
}

void TForm1::OpenConfigMap(QWidget* dialogOwner)
{
    if (!SettleUnsavedEdits(dialogOwner))
        return;
    if (!OpenDialog1.Execute(dialogOwner))
        return;
    const std::string chosen = OpenDialog1.FileName();
    if (OpenConfig(chosen, dialogOwner))
        CurrentFilePath = chosen;
}

// The file's unit in every control, as the document's new history.
void TForm1::showFile(const FileState& file, const char* titlePrefix)
{
    ConfigRecord = file.Content;
    filling_ = true;
    ConfigToForm();
    filling_ = false;
    document_.Opened(file, editedCopy());
    showTitle(titlePrefix, file.Path);
    SaveDialog1.SetFileName(file.Path);
    showDocument();
}

bool TForm1::SaveConfig(QWidget* owner)
{
    QWidget* questionOwner = owner != nullptr ? owner : this;
    if (!ConfirmSameFile(CurrentFilePath, questionOwner) ||
        !ConfirmShortening(messageBoxes_, files_, questionOwner, CurrentFilePath))
        return false;
    return saveTo(CurrentFilePath, owner);
}

// No to "Do you want to replace it?" goes back to the dialog with the
// name chosen, as the platform's own save dialogs do; Cancel there, or at
// the shorten question, stops the whole save, and the dialog keeps the
// name it had before.
bool TForm1::SaveConfigMap(QWidget* owner)
{
    const std::string previousName = SaveDialog1.FileName();
    QWidget* questionOwner = owner != nullptr ? owner : this;
    for (;;) {
        if (!SaveDialog1.Execute(owner)) {
            SaveDialog1.SetFileName(previousName);
            return false;
        }
        const std::string chosen = SaveDialog1.FileName();
        if (!ConfirmSameFile(chosen, questionOwner) || !ConfirmShortening(messageBoxes_, files_, questionOwner, chosen)) {
            SaveDialog1.SetFileName(previousName);
            return false;
        }
        if (ConfirmReplacing(messageBoxes_, files_, questionOwner, chosen, SaveDialog1.Settings().Title))
            return saveTo(chosen, owner);
    }
}

// The save both commands end in, once nothing is left to ask.
bool TForm1::saveTo(const std::string& path, QWidget* owner)
{
    try {
        // Where the card that held the file was taken out, its mount point
        // may stay behind as an empty folder on another disk: nothing is
        // written there, and the save fails as for a folder that is gone.
        if (path == document_.FilePath() && !VolumeAttached(files_, document_.File().Identity.Volume))
            throw EInOutError(InOutErrorCode::InvalidFilename);
        FormToConfig();
        WriteConfigFile(files_, path, ConfigRecord);
        document_.Saved(WrittenFileState(files_, path, ConfigRecord), editedCopy());
        showTitle("Saved: ", path);
        startTimer1();
        showDocument();
        return true;
    } catch (const Exception& error) {
        ShowErrorMessage(messageOf(error), owner, saveAdvice(error, path));
        return false;
    }
}

bool TForm1::SaveAsCommanded(QWidget* owner)
{
    if (CheckBox5->isChecked())
        return SaveConfigMap(owner);
    if (!CurrentFilePath.empty())
        return SaveConfig(owner);
    // Nothing was opened yet: rather than do nothing, ask where to save,
    // and save there from now on.
    if (!SaveConfigMap(owner))
        return false;
    CurrentFilePath = SaveDialog1.FileName();
    return true;
}

void TForm1::Button1Click()
{
    SaveAsCommanded(this);
}

void TForm1::Button2Click()
{
    if (CheckBox5->isChecked()) {
        OpenConfigMap();
    } else if (showCardBrowser_) {
        showCardBrowser_();
    }
}

void TForm1::Button4Click()
{
    if (!SettleUnsavedEdits(this))
        return;
    BlankConfig(ConfigRecord);
    filling_ = true;
    ConfigToForm();
    filling_ = false;
    document_.Clear(editedCopy());
    showDocument();
}

void TForm1::Button3Click()
{
    setHelpShown(Memo1->isHidden());
}

void TForm1::Memo1Click()
{
    setHelpShown(false);
}

void TForm1::Image1Click()
{
    shell_.open(this, QString("http://") + kMakerWebSite);
}

void TForm1::startTimer1()
{
    // QTimer::start restarts a running timer; the title must go back five
    // seconds after the first of several quick saves, so a running timer
    // is left alone.
    if (!Timer1->isActive())
        Timer1->start();
}

void TForm1::Timer1Timer()
{
    Timer1->stop();
    showTitle("Currently Editing: ", SaveDialog1.FileName());
}

} // namespace ostra
