// Load, Save, Clear, Help, the title texts with their timer, error boxes
// and the logo link, driven through the window's buttons.
#include <QAccessible>
#include <QFile>
#include <functional>
#include <QScrollBar>
#include <QTest>
#include <QTimerEvent>

#include "FormFixture.h"
#include "fakes/FakeRemovableDrives.h"
#include "ui/browser/Unit2.h"

namespace ostra::test {
namespace {

using test::FileFault;
using test::FileStep;

class CommandsTest : public FormFixture {
protected:
    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    void setAdvanced(bool on)
    {
        if (form->CheckBox5->isChecked() != on)
            clickCheckBox(form->CheckBox5);
    }
    void elapseTimer1()
    {
        ASSERT_TRUE(form->Timer1->isActive());
        QTimerEvent event(form->Timer1->timerId());
        QCoreApplication::sendEvent(form->Timer1, &event);
    }
    std::vector<unsigned char> bytesOf(const TConfigRecord& record) { return {record.begin(), record.end()}; }
    QString lastBoxText() const { return boxes.Boxes.empty() ? QString() : boxes.Boxes.back().Text; }
};

// A record as an untouched window gathers it: text fields all spaces,
// Residential, no option, output or wallplate, the software version.
TConfigRecord startupRecord()
{
    TConfigRecord record{};
    for (int b = 0; b < 236; ++b)
        record[b] = ' ';
    for (int b = 290; b < 410; ++b)
        record[b] = ' ';
    putText(record, 420, " 101");
    return record;
}

TEST_F(CommandsTest, AdvancedSaveAfterStartUpWritesTheUntouchedWindow)
{
    setAdvanced(true);
    dialogs.Replies.push_back(path("new.cfg"));
    click(form->Button1);
    ASSERT_EQ(dialogs.Requests.size(), 1u);
    const FileDialogRequest& request = dialogs.Requests[0];
    EXPECT_EQ(request.Kind, FileDialogKind::Save);
    EXPECT_EQ(request.Title, "Advanced Save");
    EXPECT_EQ(request.Filters, QStringList({"Ostra Configuration File (*.cfg)", "All Files (*.*)"}));
    EXPECT_EQ(request.DefaultExtension, "cfg");
    EXPECT_TRUE(request.FileName.isEmpty());
    EXPECT_EQ(readFile(path("new.cfg")), bytesOf(startupRecord()));
    EXPECT_EQ(form->windowTitle(), "Saved: " + path("new.cfg"));
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_TRUE(form->CurrentFilePath.empty());
    EXPECT_EQ(form->SaveDialog1.FileName(), pathBytes("new.cfg"));
}

TEST_F(CommandsTest, AdvancedLoadThenPlainSaveWritesTheLoadedFile)
{
    TConfigRecord record = sampleRecord();
    writeRecord(path("f.cfg"), record);
    setAdvanced(true);
    dialogs.Replies.push_back(path("f.cfg"));
    click(form->Button2);
    ASSERT_EQ(dialogs.Requests.size(), 1u);
    EXPECT_EQ(dialogs.Requests[0].Title, "Advanced Load");
    EXPECT_EQ(dialogs.Requests[0].Kind, FileDialogKind::Open);
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("f.cfg"));
    EXPECT_EQ(form->CurrentFilePath, pathBytes("f.cfg"));
    EXPECT_EQ(form->Edit1->Bytes(), "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF");

    setAdvanced(false);
    form->Edit2->SetBytes("TV");
    click(form->Button1);
    putText(record, 32, "TV  ");
    putText(record, 420, " 101");
    EXPECT_EQ(readFile(path("f.cfg")), bytesOf(record));
    EXPECT_EQ(form->windowTitle(), "Saved: " + path("f.cfg"));
    elapseTimer1();
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("f.cfg"));
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(CommandsTest, TitleReturnsToTheAdvancedSaveNameAfterAPlainSave)
{
    writeRecord(path("x.cfg"), sampleRecord());
    openFromCard(path("x.cfg"));
    setAdvanced(true);
    dialogs.Replies.push_back(path("y.cfg"));
    click(form->Button1);
    elapseTimer1();
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("y.cfg"));

    setAdvanced(false);
    QFile::remove(path("x.cfg"));
    click(form->Button1);
    EXPECT_EQ(readFile(path("x.cfg")).size(), 2048u);
    EXPECT_EQ(form->windowTitle(), "Saved: " + path("x.cfg"));
    elapseTimer1();
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("y.cfg"));
}

TEST_F(CommandsTest, SavingAgainWhileTheTitleShowsSavedDoesNotRestartTheTimer)
{
    writeRecord(path("x.cfg"), sampleRecord());
    openFromCard(path("x.cfg"));
    click(form->Button1);
    ASSERT_TRUE(form->Timer1->isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Timer1->remainingTime() < 4600; }));
    click(form->Button1);
    EXPECT_TRUE(form->Timer1->isActive());
    EXPECT_LT(form->Timer1->remainingTime(), 4600);
}

TEST_F(CommandsTest, FailedOpenKeepsTheRecordAndTheControls)
{
    // A file shorter than a record fails after part of it was read.
    writeRecord(path("x.cfg"), sampleRecord());
    openFromCard(path("x.cfg"));
    form->Edit2->SetBytes("EDIT");
    const TConfigRecord before = form->ConfigRecord;
    writeFile(path("short.cfg"), std::vector<unsigned char>(100, 'Z'));

    struct Failure {
        const char* File;
        const char* Message;
    };
    for (const Failure& failure : {Failure{"missing.cfg", "File not found"}, Failure{"short.cfg", "Read beyond end of file"}}) {
        openFromCard(path(failure.File));
        // Nothing changes but the error box: plain Save still means x.cfg,
        // and the edit is still unsaved.
        EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("x.cfg") + "*");
        EXPECT_EQ(form->SaveDialog1.FileName(), pathBytes("x.cfg"));
        EXPECT_EQ(form->CurrentFilePath, pathBytes("x.cfg"));
        ASSERT_FALSE(boxes.Boxes.empty());
        EXPECT_EQ(boxes.Boxes.back().Caption, "Error");
        EXPECT_EQ(lastBoxText(), failure.Message);
        EXPECT_EQ(form->ConfigRecord, before);
        EXPECT_EQ(form->Edit2->Bytes(), "EDIT");
        EXPECT_EQ(form->Edit1->Bytes(), "ABCDEFGHIJKLMNOPQRSTUVWXYZABCDEF");
    }
    // A later Save writes the edits over the old record into the old file;
    // the files that failed to open stay as they were.
    click(form->Button1);
    EXPECT_EQ(readFile(path("short.cfg")), std::vector<unsigned char>(100, 'Z'));
    EXPECT_FALSE(QFile::exists(path("missing.cfg")));
    TConfigRecord expected = before;
    putText(expected, 32, "EDIT");
    putText(expected, 420, " 101");
    EXPECT_EQ(readFile(path("x.cfg")), bytesOf(expected));
}

TEST_F(CommandsTest, FailedAdvancedLoadChangesNothing)
{
    writeRecord(path("x.cfg"), sampleRecord());
    openFromCard(path("x.cfg"));
    const TConfigRecord before = form->ConfigRecord;
    setAdvanced(true);
    dialogs.Replies.push_back(path("missing.cfg"));
    click(form->Button2);
    EXPECT_EQ(lastBoxText(), "File not found");
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("x.cfg"));
    EXPECT_EQ(form->CurrentFilePath, pathBytes("x.cfg"));
    EXPECT_EQ(form->SaveDialog1.FileName(), pathBytes("x.cfg"));
    EXPECT_EQ(form->ConfigRecord, before);
}

TEST_F(CommandsTest, CancelledDialogsChangeNothing)
{
    setAdvanced(true);
    dialogs.Replies = {std::nullopt, std::nullopt};
    click(form->Button2);
    click(form->Button1);
    EXPECT_EQ(dialogs.Requests.size(), 2u);
    EXPECT_EQ(form->windowTitle(), "Ostra Configuration Utility");
    EXPECT_TRUE(form->CurrentFilePath.empty());
    EXPECT_EQ(form->ConfigRecord, TConfigRecord{});
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(CommandsTest, FailedSaveShowsTheErrorAndKeepsTheTitle)
{
    form->CurrentFilePath = pathBytes("no-such-folder/x.cfg");
    form->Edit1->SetBytes("Hall");
    click(form->Button1);
    EXPECT_EQ(lastBoxText(), "Invalid filename");
    EXPECT_EQ(form->windowTitle(), "Ostra Configuration Utility*");
    EXPECT_FALSE(form->Timer1->isActive());
    // The record was gathered and stamped before the write failed.
    EXPECT_EQ(ReadConfigText(form->ConfigRecord, 0, 4), "Hall");
    EXPECT_EQ(ConfigVersionText(form->ConfigRecord, 420), " 1.01");
}

// A file that can be read but not written (a card with its lock switch
// on) is named read-only in the title, which screen readers read as the
// window's name, from the open until a save succeeds; its save fails as
// any save that may not write, with the same box.
TEST_F(CommandsTest, AFileThatCannotBeWrittenIsNamedReadOnlyFromTheOpen)
{
    writeRecord(path("x.cfg"), sampleRecord());
    writeRecord(path("y.cfg"), sampleRecord());
    files.refuseWriting(EROFS, "x.cfg");
    const QString lockedTitle = "Currently Editing: " + path("x.cfg") + " (read-only)";
    openFromCard(path("x.cfg"));
    EXPECT_EQ(form->windowTitle(), lockedTitle);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(form.get())->text(QAccessible::Name), lockedTitle);

    form->Edit1->SetBytes("Hall");
    click(form->Button1);
    EXPECT_EQ(lastBoxText(), "File access denied");
    EXPECT_EQ(form->windowTitle(), lockedTitle + "*");

    openFromCard(path("y.cfg"));
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("y.cfg"));
}

// Opens and saves go through the file layer the window was given: a fault
// there is what the user is told, and a failed save leaves the file.
TEST_F(CommandsTest, OpensAndSavesGoThroughTheFileLayerTheWindowIsGiven)
{
    writeRecord(path("x.cfg"), sampleRecord());
    struct Row {
        const char* what;
        FileFault fault;
        std::function<void()> act;
        const char* message;
    };
    const Row rows[] = {
        {"open", {FileStep::Read, EIO}, [&] { openFromCard(path("x.cfg")); }, "I/O error 5"},
        {"save", {FileStep::CreateNew, EMFILE}, [&] { click(form->Button1); }, "Too many open files"},
        {"closing the new file", {FileStep::CloseNew, EINTR}, [&] { click(form->Button1); }, "I/O error 4"},
    };
    form->CurrentFilePath = pathBytes("x.cfg");
    for (const Row& row : rows) {
        FileFault next = row.fault;
        next.occurrence = files.count(next.step) + 1;
        files.inject(next);
        row.act();
        EXPECT_EQ(lastBoxText(), row.message) << row.what;
        EXPECT_EQ(readFile(path("x.cfg")), bytesOf(sampleRecord())) << row.what;
    }
}

TEST_F(CommandsTest, ClearThenSaveMakesABlankFile)
{
    writeRecord(path("x.cfg"), sampleRecord());
    openFromCard(path("x.cfg"));
    form->ListBox1->SetItemIndex(3);
    click(form->Button4);
    EXPECT_EQ(form->Edit1->text(), QChar(0x00A0) + QString(31, QLatin1Char(' ')));
    EXPECT_EQ(form->ListBox1->ItemIndex(), 0);
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path("x.cfg"));

    // The box is full, yet draws exactly as an empty one does where text
    // would stand (its right corner shows the edit as a change).
    const auto textArea = [&] { return form->Edit1->grab(form->Edit1->rect().adjusted(0, 0, -16, 0)).toImage(); };
    const QImage full = textArea();
    form->Edit1->SetBytes("");
    EXPECT_EQ(full, textArea());
    form->Edit1->SetBytes("x");
    EXPECT_NE(full, textArea());
    form->Edit1->SetBytes("\xff                               ");

    click(form->Button1);
    TConfigRecord blank = startupRecord();
    blank[0] = 0xFF;
    EXPECT_EQ(readFile(path("x.cfg")), bytesOf(blank));
    // Opened again, the blank file gives an all-zero record.
    openFromCard(path("x.cfg"));
    EXPECT_EQ(form->ConfigRecord, TConfigRecord{});
    EXPECT_TRUE(form->Edit1->text().isEmpty());
}

// Anything entered after Clear makes the saved file one with settings: the
// blank marker goes, so opening the file again shows what was entered.
TEST_F(CommandsTest, SettingsEnteredAfterClearSurviveSaveAndOpen)
{
    struct Edit {
        const char* name;
        std::function<void(TForm1&)> enter;
        std::function<void(TForm1&)> check;
    };
    const Edit edits[] = {
        {"description typed after a click into it",
         [](TForm1& f) {
             QTest::mouseClick(f.Edit1, Qt::LeftButton);
             typeText(f.Edit1, "Hall");
         },
         [](TForm1& f) { EXPECT_EQ(f.Edit1->Bytes(), "Hall" + std::string(28, ' ')); }},
        {"only a zone name",
         [](TForm1& f) { typeText(f.Edit19, "Den"); },
         [](TForm1& f) { EXPECT_EQ(f.Edit19->Bytes(), "Den" + std::string(10, ' ')); }},
        {"only a wallplate",
         [](TForm1& f) { clickMark(f.CheckListBox1, 4); },
         [](TForm1& f) { EXPECT_TRUE(f.CheckListBox1->Checked(4)); }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.name);
        writeRecord(path("x.cfg"), sampleRecord());
        openFromCard(path("x.cfg"));
        click(form->Button4);
        edit.enter(*form);
        click(form->Button1);
        EXPECT_NE(readFile(path("x.cfg")).at(0), 0xFF);
        click(form->Button4);
        openFromCard(path("x.cfg"));
        edit.check(*form);
    }
}

TEST_F(CommandsTest, HelpCoversThePanelsAndLeavesTheCommandsUsable)
{
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    click(form->Button3);
    EXPECT_TRUE(form->Memo1->isVisible());
    EXPECT_EQ(form->Button3->text(), "Close Help");
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Memo1->hasFocus(); }));
    for (const QPoint point : {QPoint(10, 10), QPoint(300, 150), QPoint(560, 430), QPoint(100, 420)})
        EXPECT_TRUE(form->Memo1->isAncestorOf(form->childAt(point))) << point.x() << "," << point.y();
    for (QWidget* control : std::initializer_list<QWidget*>{form->CheckBox5, form->Button1, form->Button2,
                                                            form->Button3, form->Button4, form->Image1})
        EXPECT_EQ(form->childAt(control->geometry().center()), control) << control->objectName().toStdString();

    click(form->Button4); // Clear works with the help shown
    EXPECT_TRUE(form->Memo1->isVisible());
    QScrollBar* bar = form->Memo1->verticalScrollBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, QPoint(bar->width() / 2, bar->height() - 5));
    EXPECT_TRUE(form->Memo1->isVisible());
    QTest::mouseClick(form->Memo1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_FALSE(form->Memo1->isVisible());
    EXPECT_EQ(form->Button3->text(), "Help");

    click(form->Button3);
    click(form->Button3);
    EXPECT_FALSE(form->Memo1->isVisible());
    EXPECT_EQ(form->Button3->text(), "Help");
}

TEST_F(CommandsTest, LogoClickOpensTheMakersSite)
{
    QTest::mouseClick(form->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(100, 20));
    EXPECT_EQ(shell.Opened, QStringList{"http://www.ostra-video.example"});
}

TEST_F(CommandsTest, LoadShowsTheCardFileBrowserUnlessAdvanced)
{
    int browserShown = 0;
    form = std::make_unique<TForm1>(files, dialogs, boxes, shell, [&] { ++browserShown; });
    click(form->Button2);
    EXPECT_EQ(browserShown, 1);
    EXPECT_TRUE(dialogs.Requests.empty());
    setAdvanced(true);
    click(form->Button2);
    EXPECT_EQ(browserShown, 1);
    EXPECT_EQ(dialogs.Requests.size(), 1u);
}

// Each error box keeps its text and adds, under it, the path concerned and
// what to check.
struct ErrorDetailCase {
    const char* What;
    bool Save;         // Advanced Save, else Advanced Load
    const char* File;  // under the scratch folder
    const char* Text;
    const char* Advice; // part of the sentence under the path
};

const ErrorDetailCase kErrorDetails[] = {
    {"opening a short file", false, "short.cfg", "Read beyond end of file", "shorter than a configuration file"},
    {"opening a missing file", false, "missing.cfg", "File not found", "may have been moved"},
    {"saving into a missing folder", true, "gone/unit.cfg", "Invalid filename", "Check that the folder exists"},
};

TEST_F(CommandsTest, ErrorBoxesNameThePathAndWhatToCheck)
{
    writeFile(path("short.cfg"), {1, 2, 3});
    setAdvanced(true);
    for (const ErrorDetailCase& row : kErrorDetails) {
        SCOPED_TRACE(row.What);
        boxes.Boxes.clear();
        dialogs.Replies = {path(row.File)};
        click(row.Save ? form->Button1 : form->Button2);
        ASSERT_EQ(boxes.Boxes.size(), 1u);
        EXPECT_EQ(boxes.Boxes.back().Text, row.Text);
        const QString detail = boxes.Boxes.back().Detail;
        EXPECT_TRUE(detail.startsWith(path(row.File) + "\n")) << detail.toStdString();
        EXPECT_TRUE(detail.contains(row.Advice)) << detail.toStdString();
    }
}

} // namespace
} // namespace ostra::test
