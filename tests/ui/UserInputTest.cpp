// Handlers run for what the user does, never when the program sets a
// control.
#include <QRegularExpression>
#include <QTest>

#include "FormFixture.h"

namespace ostra::test {
namespace {

class UserInputTest : public FormFixture {
protected:
    void SetUp() override
    {
        form->ConfigRecord[236] = 0x01; // zone 1: A1
        form->ConfigRecord[254] = 0x02; // zone 3: A2
        form->ConfigToForm();
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
        form->Button3Click(); // help shown
        record = form->ConfigRecord;
        title = form->windowTitle();
    }

    // None of the handlers ran: the record, the title, the help, the marks
    // and every platform seam are as before.
    void expectNoHandlerRan(const char* what)
    {
        SCOPED_TRACE(what);
        EXPECT_EQ(form->ConfigRecord, record);
        // The title's asterisk follows what the controls hold, however set.
        const QRegularExpression changeMark("\\*$");
        EXPECT_EQ(form->windowTitle().remove(changeMark), QString(title).remove(changeMark));
        EXPECT_TRUE(form->Memo1->isVisible());
        EXPECT_EQ(form->Button3->text(), "Close Help");
        EXPECT_TRUE(dialogs.Requests.empty());
        EXPECT_TRUE(boxes.Boxes.empty());
        EXPECT_TRUE(shell.Opened.isEmpty());
        EXPECT_FALSE(form->Timer1->isActive());
    }

    TConfigRecord record;
    QString title;
};

TEST_F(UserInputTest, SettingControlsFromCodeRunsNoHandler)
{
    // Zone list: selecting from code does not read the zone's marks.
    form->ListBox1->setCurrentRow(2);
    form->ListBox1->SetItemIndex(2);
    EXPECT_TRUE(form->CheckListBox1->Checked(0));
    EXPECT_FALSE(form->CheckListBox1->Checked(1));
    expectNoHandlerRan("ListBox1Click");

    // Wallplate list: marks and moves from code write nothing.
    form->ListBox1->SetItemIndex(0);
    form->CheckListBox1->SetChecked(5, true);
    form->CheckListBox1->item(6)->setCheckState(Qt::Checked);
    form->CheckListBox1->item(7)->setText("x");
    form->CheckListBox1->setCurrentRow(9);
    expectNoHandlerRan("CheckListBox1Click");

    // Buttons, help, logo, advanced mode, timer, edit boxes.
    for (QPushButton* button : {form->Button1, form->Button2, form->Button3, form->Button4}) {
        button->setText(button->text());
        button->setDown(true);
        button->setDown(false);
    }
    form->Memo1->setPlainText(form->Memo1->toPlainText());
    form->Memo1->selectAll();
    form->Image1->setToolTip("x");
    form->Image1->update();
    form->CheckBox5->setChecked(true);
    form->CheckBox5->setChecked(false);
    form->Timer1->setInterval(5000);
    form->Edit1->setText("typed by code");
    form->Edit2->insert("AB");
    form->Edit2->undo();
    form->RadioButton2->setChecked(true);
    expectNoHandlerRan("other handlers");
}

TEST_F(UserInputTest, TheUsersActionsRunTheHandlers)
{
    form->Memo1Click(); // the help covers the lists
    clickItem(form->ListBox1, 2);
    EXPECT_TRUE(form->CheckListBox1->Checked(1)); // ListBox1Click read zone 3
    EXPECT_FALSE(form->CheckListBox1->Checked(0));
    clickMark(form->CheckListBox1, 4);
    EXPECT_EQ(form->ConfigRecord[254], 0x12); // CheckListBox1Click wrote zone 3
    QTest::mouseClick(form->Image1, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(shell.Opened.size(), 1);
    form->Button3Click();
    QTest::mouseClick(form->Memo1->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    EXPECT_FALSE(form->Memo1->isVisible());
}

} // namespace
} // namespace ostra::test
