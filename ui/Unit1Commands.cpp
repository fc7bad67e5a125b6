// The main window's commands: open, save, Clear, Help, the title-bar
// status texts with their timer, and the logo link.
#include "ui/Unit1.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTimer>

#include "platform/Exception.h"
#include "platform/qt/MessageBoxes.h"
#include "platform/qt/Shell.h"
#include "ui/HelpMemo.h"
#include "ui/Unit2.h"

namespace ostra {

namespace {

std::string filePath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString messageOf(const Exception& error)
{
    return QString::fromStdString(error.Message);
}

// Reads a file the way both opens do, into a record of its own: a failed
// read leaves the record being edited as it was. A blank file opens as an
// all-zero record.
TConfigRecord readConfigForEditing(const QString& path)
{
    TConfigRecord scratch{};
    ReadConfigFile(filePath(path), scratch);
    if (IsBlankConfig(scratch))
        ZeroConfig(scratch);
    return scratch;
}

} // namespace

void TForm1::ShowErrorMessage(const QString& text)
{
    messageBoxes_.ShowError(this, "Error", text);
}

void TForm1::OpenConfig(const QString& path)
{
    try {
        setWindowTitle("Currently Editing: " + path);
        SaveDialog1.SetFileName(path);
        ConfigRecord = readConfigForEditing(path);
        ConfigToForm();
    } catch (const Exception& error) {
        ShowErrorMessage(messageOf(error));
    }
}

void TForm1::OpenConfigMap()
{
    if (!OpenDialog1.Execute())
        return;
    try {
        const QString chosen = OpenDialog1.FileName();
        CurrentFilePath = chosen;
        SaveDialog1.SetFileName(chosen);
        const TConfigRecord read = readConfigForEditing(chosen);
        setWindowTitle("Currently Editing: " + chosen);
        ConfigRecord = read;
        ConfigToForm();
    } catch (const Exception& error) {
        ShowErrorMessage(messageOf(error));
    }
}

void TForm1::SaveConfig()
{
    try {
        FormToConfig();
        WriteConfigFile(filePath(CurrentFilePath), ConfigRecord);
        setWindowTitle("Saved: " + CurrentFilePath);
        startTimer1();
    } catch (const Exception& error) {
        ShowErrorMessage(messageOf(error));
    }
}

void TForm1::SaveConfigMap()
{
    if (!SaveDialog1.Execute())
        return;
    try {
        const QString chosen = SaveDialog1.FileName();
        FormToConfig();
        WriteConfigFile(filePath(chosen), ConfigRecord);
        setWindowTitle("Saved: " + chosen);
        startTimer1();
    } catch (const Exception& error) {
        ShowErrorMessage(messageOf(error));
    }
}

void TForm1::Button1Click()
{
    if (CheckBox5->isChecked())
        SaveConfigMap();
    else if (!CurrentFilePath.isEmpty())
        SaveConfig();
}

void TForm1::Button2Click()
{
    if (CheckBox5->isChecked()) {
        OpenConfigMap();
    } else if (Form2 != nullptr) {
        Form2->show();
        Form2->raise();
        Form2->activateWindow();
    }
}

void TForm1::Button4Click()
{
    BlankConfig(ConfigRecord);
    ConfigToForm();
}

void TForm1::Button3Click()
{
    Memo1->setVisible(Memo1->isHidden());
    if (!Memo1->isHidden()) {
        Button3->setText("Close Help");
        Memo1->setFocus();
    } else {
        Button3->setText("Help");
    }
}

void TForm1::Memo1Click()
{
    Memo1->hide();
    Button3->setText("Help");
}

void TForm1::Image1Click()
{
    shell_.Open(this, QString("http://") + kMakerWebSite);
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
    setWindowTitle("Currently Editing: " + SaveDialog1.FileName());
}

} // namespace ostra
