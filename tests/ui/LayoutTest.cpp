// The window as laid out: every control's rectangle, the tab order, the
// captions fitting their controls, and the help text.
#include <algorithm>
#include <set>
#include <stdexcept>

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>
#include <QTextBlock>

#include "FormFixture.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/Fonts.h"
#include "ui/widgets/HelpMemo.h"
#include "ui/widgets/SingleByteEdit.h"
#include "ui/main/Unit1Fields.h"

namespace ostra::test {
namespace {

struct ExpectedRect {
    const char* Name;
    QRect Rect;
};

// Client-area rectangles as the window's layout gives them.
const ExpectedRect kRects[] = {
    {"Bevel5", {4, 5, 281, 69}},        {"Label1", {8, 8, 69, 13}},
    {"Edit1", {8, 29, 269, 20}},        {"Bevel6", {288, 5, 297, 69}},
    {"Label26", {296, 8, 44, 13}},      {"Bevel7", {292, 24, 169, 25}},
    {"RadioButton1", {296, 28, 113, 17}}, {"RadioButton2", {376, 28, 81, 17}},
    {"CheckBox1", {469, 28, 108, 17}},  {"CheckBox2", {296, 52, 116, 17}},
    {"CheckBox3", {415, 52, 97, 17}},   {"CheckBox4", {516, 52, 64, 17}},
    {"Bevel3", {4, 77, 281, 205}},      {"Label13", {10, 85, 162, 13}},
    {"Label3", {10, 109, 9, 13}},       {"Label4", {40, 109, 67, 13}},
    {"Label12", {160, 109, 57, 13}},    {"Bevel4", {288, 77, 297, 205}},
    {"Label25", {296, 85, 151, 13}},    {"Label17", {296, 109, 9, 13}},
    {"Label18", {328, 109, 67, 13}},    {"Label24", {459, 109, 57, 13}},
    {"Label2", {10, 133, 8, 13}},       {"Edit2", {40, 129, 57, 21}},
    {"Edit3", {160, 129, 113, 21}},     {"Label10", {10, 253, 8, 13}},
    {"Edit12", {40, 249, 57, 21}},      {"Edit13", {160, 249, 113, 21}},
    {"Label16", {296, 133, 8, 13}},     {"Edit18", {328, 129, 57, 21}},
    {"Edit19", {459, 129, 113, 21}},    {"Label22", {296, 229, 8, 13}},
    {"Edit26", {328, 225, 57, 21}},     {"Edit27", {459, 225, 113, 21}},
    {"Bevel1", {4, 285, 281, 153}},     {"Label11", {10, 293, 147, 13}},
    {"Edit14", {10, 317, 265, 21}},     {"Edit15", {10, 341, 265, 21}},
    {"Edit16", {10, 365, 265, 21}},     {"Edit17", {10, 389, 265, 21}},
    {"Bevel2", {288, 285, 233, 153}},   {"Label5", {296, 293, 83, 13}},
    {"ListBox1", {296, 318, 117, 101}}, {"Label15", {429, 293, 60, 13}},
    {"CheckListBox1", {429, 318, 84, 101}}, {"Bevel8", {524, 285, 61, 153}},
    {"Label14", {532, 293, 28, 13}},    {"CheckListBox2", {532, 318, 41, 101}},
    {"Image1", {14, 450, 204, 42}},     {"CheckBox5", {232, 445, 241, 17}},
    {"Button4", {233, 467, 84, 33}},    {"Button2", {321, 467, 84, 33}},
    {"Button1", {409, 467, 84, 33}},    {"Button3", {497, 467, 84, 33}},
    {"Memo1", {4, 4, 581, 434}},
};

using LayoutTest = FormFixture;

TEST_F(LayoutTest, EveryControlSitsAtItsRectangle)
{
    EXPECT_EQ(form->size(), QSize(588, 506));
    for (const ExpectedRect& expected : kRects) {
        const auto* control = form->findChild<QWidget*>(expected.Name);
        ASSERT_NE(control, nullptr) << expected.Name;
        EXPECT_EQ(control->geometry(), expected.Rect) << expected.Name;
    }
    // Sized to their texts: the hardware label keeps its left edge, the
    // software label its right edge.
    EXPECT_EQ(form->Label27->geometry().topLeft(), QPoint(12, 417));
    EXPECT_EQ(form->Label28->geometry().right() + 1, 273);
    EXPECT_EQ(form->Label28->geometry().top(), 417);
}

// Each field but the wallplates (the zone editor's) shows in one control of
// the window, each text in an edit box of its own, Edit1 to Edit29.
TEST_F(LayoutTest, EveryFieldButTheWallplatesShowsInOneControl)
{
    std::set<std::string> editBoxes;
    for (const ConfigField& field : ConfigFields()) {
        const auto shown = std::ranges::count(unit1::ShownFields(), &field, &unit1::ShownField::Field);
        EXPECT_EQ(shown, field.Kind == FieldKind::Wallplates ? 0 : 1) << field.Key;
    }
    for (const unit1::ShownField& shown : unit1::ShownFields()) {
        EXPECT_NE(form->findChild<QWidget*>(shown.Control), nullptr) << shown.Control;
        if (shown.Field->Kind == FieldKind::Text || shown.Field->Kind == FieldKind::InstallerLine) {
            EXPECT_TRUE(editBoxes.insert(shown.Control).second) << shown.Control;
        }
    }
    EXPECT_EQ(editBoxes.size(), 29u);
    EXPECT_THROW(unit1::FieldShownIn("CheckBox5"), std::logic_error);
}

TEST_F(LayoutTest, TabOrderFollowsTheLayoutWithBlankingAfterTheHelp)
{
    const std::vector<QWidget*> expected = {
        form->Edit1, form->Edit2, form->Edit3, form->Edit4, form->Edit5, form->Edit6, form->Edit7,
        form->Edit8, form->Edit9, form->Edit10, form->Edit11, form->Edit12, form->Edit13, form->Edit14,
        form->Edit15, form->Edit16, form->Edit17, form->RadioButton1, form->RadioButton2, form->CheckBox1,
        form->CheckBox2, form->CheckBox3, form->Edit18, form->Edit19, form->Edit20, form->Edit21,
        form->Edit22, form->Edit23, form->Edit24, form->Edit25, form->Edit26, form->Edit27, form->Edit28,
        form->Edit29, form->ListBox1, form->CheckListBox1, form->CheckListBox2, form->Button4,
        form->Button2, form->Button1, form->Button3, form->Memo1, form->CheckBox4, form->CheckBox5, form->ZoneOverviewButton,
    };
    std::vector<QWidget*> chain;
    QWidget* next = form->Edit1;
    do {
        if (next->focusPolicy() & Qt::TabFocus)
            chain.push_back(next);
        next = next->nextInFocusChain();
    } while (next != form->Edit1 && chain.size() < 100);
    EXPECT_EQ(chain, expected);
}

TEST_F(LayoutTest, CaptionsFitTheirControls)
{
    for (auto* label : form->findChildren<QLabel*>()) {
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width())
            << label->objectName().toStdString();
        EXPECT_LE(label->fontMetrics().height(), label->height() + 2) << label->objectName().toStdString();
    }
    for (auto* button : form->findChildren<QAbstractButton*>()) {
        // The caption must end inside the control.
        EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
        EXPECT_LE(button->sizeHint().height(), button->height() + 4) << button->objectName().toStdString();
    }
    for (auto* list : {static_cast<ListBox*>(form->ListBox1), static_cast<ListBox*>(form->CheckListBox1),
                       static_cast<ListBox*>(form->CheckListBox2)}) {
        for (int row = 0; row < list->count(); ++row)
            EXPECT_LE(list->sizeHintForColumn(0), list->viewport()->width()) << list->objectName().toStdString();
    }
    // Thirty-two characters of the description box fit without scrolling.
    EXPECT_LE(form->Edit1->fontMetrics().horizontalAdvance(QString(32, QChar(0x2588))), form->Edit1->width() - 8);
}

TEST_F(LayoutTest, InitialStateMatchesTheLayout)
{
    EXPECT_EQ(form->windowTitle(), "Ostra Configuration Utility");
    EXPECT_TRUE(form->RadioButton1->isChecked());
    EXPECT_FALSE(form->CheckBox5->isChecked());
    EXPECT_EQ(form->ListBox1->ItemIndex(), -1);
    EXPECT_EQ(form->ListBox1->count(), 6);
    EXPECT_EQ(form->CheckListBox1->count(), 36);
    EXPECT_EQ(form->CheckListBox2->count(), 6);
    EXPECT_TRUE(form->Memo1->isHidden());
    EXPECT_EQ(form->Label27->text(), "Hardware Version: 0.00");
    EXPECT_EQ(form->Label28->text(), "Software Version: 1.01");
    EXPECT_EQ(form->Image1->toolTip(), "Go to www.ostra-video.example");
    EXPECT_FALSE(form->Timer1->isActive());
}

TEST_F(LayoutTest, HelpTextHasItsLinesAndHeadings)
{
    QTest::mouseClick(form->Button3, Qt::LeftButton);
    ASSERT_TRUE(form->Memo1->isVisibleTo(form.get()));
    const QTextDocument* text = form->Memo1->document();
    ASSERT_EQ(text->blockCount(), 221);
    EXPECT_EQ(text->findBlockByNumber(0).text(), "OstraPC Setup Application Help");
    EXPECT_EQ(text->findBlockByNumber(1).text(), QString(43, QLatin1Char('-')));
    const QStringList headings = {
        "Overview", "Title Bar", "Description", "Normal Screen", "Disable Features", "Blanking",
        "Enter Custom Source Names", "Enter Custom Zone Names", "Assign Remote Zones",
        "Enter Installer Information", "Hardware Version and Software Version", "Clear", "Load", "Save",
        "Enable Advanced Save / Load Functionality", "Zone Overview", "Review Changes", "Printing and Reports", "Keys",
        "Locked Cards and Long Files", "Swapped Cards and Dropped Files"};
    // A heading is a line after three empty ones (after two for the first).
    QStringList found;
    int empties = 0;
    for (QTextBlock block = text->begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty()) {
            ++empties;
            continue;
        }
        if (empties >= 2 && block.next().isValid() && block.next().text().isEmpty())
            found << block.text();
        empties = 0;
    }
    EXPECT_EQ(found, headings);
    const int length = form->Memo1->toPlainText().size();
    EXPECT_GT(length, 8000);
    EXPECT_LT(length, 9000);
    EXPECT_TRUE(form->Memo1->isReadOnly());
    // The help's font comes with its text, when it first shows.
    EXPECT_EQ(form->Memo1->font(), HelpFont());
}

} // namespace
} // namespace ostra::test
