// The editor from the keyboard alone: typing into padded fields, the
// commands' shortcuts and mnemonics, Enter and Escape, and the help text
// keeping the keyboard from the controls it covers.
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "FormFixture.h"

namespace ostra::test {
namespace {

class KeyboardTest : public FormFixture {
protected:
    KeyboardTest() : FormFixture([this] { ++browserShowings; })
    {
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Opens a file whose source 1 short name holds shortName and whose
    // installer line 1 holds installerLine, both as stored.
    void openWith(const std::string& shortName, const std::string& installerLine)
    {
        TConfigRecord record = sampleRecord();
        putText(record, layout::sourceShortNameOffset(1), shortName);
        putText(record, layout::kInstallerInfoOffset, installerLine);
        writeRecord(path("unit.cfg"), record);
        openFromCard(path("unit.cfg"));
        ASSERT_TRUE(boxes.Boxes.empty());
    }

    std::string savedField(int offset, int width)
    {
        QTest::mouseClick(form->Button1, Qt::LeftButton);
        const std::vector<unsigned char> bytes = readFile(path("unit.cfg"));
        return {bytes.begin() + offset, bytes.begin() + offset + width};
    }

    int browserShowings = 0;
};

// Where the cursor goes before the input: a position, or the whole text
// selected.
constexpr int kSelectAll = -1;

struct TypingCase {
    const char* What;
    const char* Stored; // the field as the file holds it
    int Cursor;
    const char* Input;
    bool Paste;
    const char* Shown; // the box's text afterwards, and what Save stores
};

const TypingCase kTyping[] = {
    {"typed at the end of a padded name", "SAT ", 4, "E", false, "SATE"},
    {"typed before the padding", "SAT ", 3, "E", false, "SATE"},
    {"typed in the middle", "AB  ", 1, "X", false, "AXB "},
    {"typed into a field of spaces", "    ", 0, "PC", false, "PC  "},
    {"typed at the end of a field of spaces", "    ", 4, "PC", false, "PC  "},
    {"pasted into the padding", "TV  ", 2, "12", true, "TV12"},
    {"pasted, longer than the padding, is cut", "DV  ", 2, "D-ROM", true, "DVD-"},
    {"typed into a box full of letters", "ABCD", 4, "E", false, "ABCD"},
    {"pasted into a box full of letters", "ABCD", 2, "XY", true, "ABCD"},
    {"typed over a selection", "SAT ", kSelectAll, "VCR", false, "VCR"},
};

TEST_F(KeyboardTest, TextTypedOrPastedIntoAFullBoxTakesThePlaceOfTrailingSpaces)
{
    for (const TypingCase& row : kTyping) {
        SCOPED_TRACE(row.What);
        openWith(row.Stored, "");
        SingleByteEdit* box = form->Edit2;
        box->setFocus();
        if (row.Cursor == kSelectAll)
            box->selectAll();
        else
            box->setCursorPosition(row.Cursor);
        if (row.Paste) {
            QGuiApplication::clipboard()->setText(QString::fromLatin1(row.Input));
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        } else {
            typeText(box, QString::fromLatin1(row.Input));
        }
        EXPECT_EQ(box->text(), QString::fromLatin1(row.Shown));
        std::string stored(row.Shown);
        stored.resize(layout::kShortNameWidth, ' ');
        EXPECT_EQ(savedField(layout::sourceShortNameOffset(1), layout::kShortNameWidth), stored);
    }
}

// The box's own Ctrl+Z is the window's Undo: a burst of typing into the
// padding is one step, back and forth, in the box and in the title.
TEST_F(KeyboardTest, TypingIntoPaddingIsOneStepOfTheWindowsUndo)
{
    openWith("SAT ", std::string(30, ' '));
    const QString opened = form->windowTitle();
    form->Edit14->setFocus();
    form->Edit14->setCursorPosition(30);
    typeText(form->Edit14, "Hall");
    EXPECT_EQ(form->Edit14->text(), "Hall" + QString(26, ' '));
    EXPECT_EQ(form->windowTitle(), opened + "*");
    QTest::keyClick(form->Edit14, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->Edit14->text(), QString(30, ' '));
    EXPECT_EQ(form->windowTitle(), opened);
    QTest::keyClick(form->Edit14, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(form->Edit14->text(), "Hall" + QString(26, ' '));
    EXPECT_EQ(form->windowTitle(), opened + "*");
}

// Input after a click (at a share of the box's width, with the modifiers
// of Keys) or keys (pressed with the cursor at From), into source 1's short
// name as stored, or after Clear into the description (blank marker).
enum class Box { Name, ClearedDescription };
constexpr int kNoClick = -1;

struct PlacingCase {
    const char* What;
    Box In;
    const char* Stored;
    int ClickPercent;
    QKeyCombination Keys;
    int From, Cursor; // the cursor before and after the click or keys
    const char* Input;
    bool Paste;
    const char* Saved; // the field's bytes before their padding
};

const PlacingCase kPlacing[] = {
    {"click at the start of a cleared description", Box::ClearedDescription, "", 0, {}, 0, 0, "Hello", false, "Hello"},
    {"click in a cleared description", Box::ClearedDescription, "", 50, {}, 0, 0, "Hello", false, "Hello"},
    {"End in a cleared description", Box::ClearedDescription, "", kNoClick, Qt::Key_End, 0, 0, "Hi", false, "Hi"},
    {"paste into a cleared description", Box::ClearedDescription, "", 50, {}, 0, 0, "Hello", true, "Hello"},
    {"a click alone keeps the blank marker", Box::ClearedDescription, "", 50, {}, 0, 0, "", false, "\xff"},
    {"Home", Box::Name, "AB  ", kNoClick, Qt::Key_Home, 4, 0, "X", false, "XAB"},
    {"Right into the padding", Box::Name, "AB  ", kNoClick, Qt::Key_Right, 2, 2, "X", false, "ABX"},
    {"Shift+Left selects", Box::Name, "AB  ", kNoClick, Qt::SHIFT | Qt::Key_Left, 4, 3, "X", false, "AB X"},
    {"Shift+click selects", Box::Name, "AB  ", 100, QKeyCombination(Qt::ShiftModifier), 0, 4, "X", false, "X"},
    {"Tab selects it all", Box::Name, "AB  ", kNoClick, Qt::Key_Tab, 0, 4, "X", false, "X"},
    {"a space typed at the end stays", Box::Name, "A   ", 100, {}, 0, 1, " B", false, "A B"},
};

TEST_F(KeyboardTest, TypingLandsAfterTheTextNotInItsPadding)
{
    for (const PlacingCase& row : kPlacing) {
        SCOPED_TRACE(row.What);
        openWith(row.Stored, "");
        if (row.In != Box::Name)
            QTest::mouseClick(form->Button4, Qt::LeftButton);
        const bool description = row.In == Box::ClearedDescription;
        SingleByteEdit* box = description ? form->Edit1 : form->Edit2;
        QWidget* keyTarget = row.Keys.key() == Qt::Key_Tab ? box->previousInFocusChain() : box;
        keyTarget->setFocus();
        box->setCursorPosition(row.From);
        if (row.ClickPercent == kNoClick)
            QTest::keyClick(keyTarget, row.Keys.key(), row.Keys.keyboardModifiers());
        else
            QTest::mouseClick(box, Qt::LeftButton, row.Keys.keyboardModifiers(),
                              {std::clamp(box->width() * row.ClickPercent / 100, 2, box->width() - 3), 10});
        EXPECT_EQ(box->cursorPosition(), row.Cursor);
        QGuiApplication::clipboard()->setText(QString::fromLatin1(row.Input));
        row.Paste ? QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier) : typeText(box, row.Input);
        const int offset = description ? layout::kDescriptionOffset : layout::sourceShortNameOffset(1);
        std::string saved(row.Saved);
        saved.resize(box->maxLength(), ' ');
        EXPECT_EQ(savedField(offset, box->maxLength()), saved);
    }
}

// What a key did, told from what changed.
struct KeyCase {
    const char* What;
    QWidget* (*Focus)(TForm1&);
    QKeyCombination Keys;
    bool Advanced;
    bool HelpShown;
    const char* Command;
};

QWidget* description(TForm1& form) { return form.Edit1; }
QWidget* helpButton(TForm1& form) { return form.Button3; }
QWidget* clearButton(TForm1& form) { return form.Button4; }
QWidget* zoneList(TForm1& form) { return form.ListBox1; }

const KeyCase kKeys[] = {
    {"Ctrl+O loads from the card", description, Qt::CTRL | Qt::Key_O, false, false, "Load"},
    {"Ctrl+O in advanced mode", description, Qt::CTRL | Qt::Key_O, true, false, "Advanced Load"},
    {"Ctrl+S in advanced mode", zoneList, Qt::CTRL | Qt::Key_S, true, false, "Advanced Save"},
    {"F1 shows the help", description, QKeyCombination(Qt::Key_F1), false, false, "Help shown"},
    {"F1 hides the help", description, QKeyCombination(Qt::Key_F1), false, true, "Help hidden"},
    {"Escape hides the help", description, QKeyCombination(Qt::Key_Escape), false, true, "Help hidden"},
    {"Escape without the help", description, QKeyCombination(Qt::Key_Escape), false, false, "nothing"},
    {"Alt+L is Load", description, Qt::ALT | Qt::Key_L, false, false, "Load"},
    {"Alt+S is Save", description, Qt::ALT | Qt::Key_S, true, false, "Advanced Save"},
    {"Alt+H is Help", description, Qt::ALT | Qt::Key_H, false, false, "Help shown"},
    {"Alt+C is Clear", description, Qt::ALT | Qt::Key_C, false, false, "Clear"},
    {"Alt+A toggles advanced mode", description, Qt::ALT | Qt::Key_A, false, false, "Advanced mode"},
    {"Enter on the focused Help button", helpButton, QKeyCombination(Qt::Key_Return), false, false, "Help shown"},
    {"keypad Enter on the focused Clear button", clearButton, Qt::KeypadModifier | Qt::Key_Enter, false, false,
     "Clear"},
    {"Enter in an edit box", description, QKeyCombination(Qt::Key_Return), false, false, "nothing"},
};

TEST_F(KeyboardTest, KeysRunTheCommandsTheyStandFor)
{
    for (const KeyCase& row : kKeys) {
        SCOPED_TRACE(row.What);
        openWith("SAT ", "");
        if (form->CheckBox5->isChecked() != row.Advanced)
            form->CheckBox5->setChecked(row.Advanced);
        if (form->Memo1->isVisible() != row.HelpShown)
            form->Button3Click();
        dialogs.Requests.clear();
        browserShowings = 0;
        QWidget* focus = row.HelpShown ? form->Button3 : row.Focus(*form);
        focus->setFocus();

        QTest::keyClick(focus, row.Keys.key(), row.Keys.keyboardModifiers());

        std::string command = "nothing";
        if (browserShowings > 0)
            command = "Load";
        else if (!dialogs.Requests.empty())
            command = dialogs.Requests.back().Title.toStdString();
        else if (form->Memo1->isVisible() != row.HelpShown)
            command = row.HelpShown ? "Help hidden" : "Help shown";
        else if (form->CheckBox5->isChecked() != row.Advanced)
            command = "Advanced mode";
        else if (form->Edit2->text().isEmpty())
            command = "Clear";
        EXPECT_EQ(command, row.Command);
        if (form->Memo1->isVisible())
            form->Button3Click();
    }
}

TEST_F(KeyboardTest, WhileTheHelpShowsTheControlsItCoversTakeNoFocusOrKeys)
{
    openWith("SAT ", "");
    form->Button3Click();
    ASSERT_TRUE(form->Memo1->hasFocus());
    std::vector<QWidget*> reached;
    for (int step = 0; step < 12; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    for (QWidget* widget : reached) {
        EXPECT_FALSE(widget->geometry().intersects(form->Memo1->geometry()) && widget != form->Memo1)
            << widget->objectName().toStdString() << " lies under the help text";
    }
    EXPECT_NE(std::find(reached.begin(), reached.end(), form->CheckBox5), reached.end());
    EXPECT_NE(std::find(reached.begin(), reached.end(), form->Button1), reached.end());

    // Space on the Blanking box under the help changes nothing.
    const bool blanking = form->CheckBox4->isChecked();
    QTest::keyClick(form->CheckBox4, Qt::Key_Space);
    EXPECT_EQ(form->CheckBox4->isChecked(), blanking);

    // With the help gone, the controls are back in the Tab order.
    QTest::keyClick(form->Memo1, Qt::Key_Escape);
    ASSERT_FALSE(form->Memo1->isVisible());
    form->Edit1->setFocus();
    QTest::keyClick(form->Edit1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->Edit2);
}

} // namespace
} // namespace ostra::test
