// Unsaved changes marked where they are, listed in Review Changes, and
// reverted exactly.
#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include "FormFixture.h"
#include "ui/widgets/ChangeMarks.h"
#include "ui/side/ReviewChanges.h"
#include "ui/main/ZoneEditor.h"
#include "ui/side/ZoneGridModel.h"
#include "ui/side/ZoneOverview.h"

namespace ostra::test {
namespace {

constexpr int kA1 = 0, kC1 = 12, kC2 = 13;

class ChangeReviewTest : public FormFixture {
protected:
    void SetUp() override
    {
        TConfigRecord record = sampleRecord();
        for (int item = 0; item < 36; ++item)
            SetWallplateMark(record, 2, item, item == kA1 || item == kC1);
        record[410] = 0;
        writeRecord(path("x.cfg"), record);
        openFromCard(path("x.cfg"));
        // What the window would save right after the open.
        form->FormToConfig();
        kept = form->ConfigRecord;
        form->show();
        form->ShowReviewChanges();
        review = form->Review();
    }

    TConfigRecord kept;
    ReviewChanges* review = nullptr;
};

// Types over the whole text, as after a triple click.
void retype(SingleByteEdit* edit, const QString& text)
{
    edit->selectAll();
    typeText(edit, text);
}

bool marked(QWidget* control)
{
    return HasChangeMark(*control) && control->accessibleDescription() == "changed";
}

bool marked(QListWidgetItem* item)
{
    return item->data(Qt::AccessibleDescriptionRole).toString() == "changed";
}

TEST_F(ChangeReviewTest, EachEditIsMarkedListedAndRevertedExactly)
{
    struct Edit {
        const char* What;
        std::function<void()> Act;
        QStringList Row; // name, file, window
        std::function<bool()> Marked;
    };
    const QString file = form->Edit19->text().trimmed();
    const std::vector<Edit> edits = {
        {"typed name", [&] { retype(form->Edit19, "X"); }, {"Zone 1 full name", file, "X"},
         [&] { return marked(form->Edit19); }},
        {"option", [&] { clickCheckBox(form->CheckBox3); }, {"Disable Front IR", "off", "on"},
         [&] { return marked(form->CheckBox3); }},
        {"screen mode", [&] { QTest::mouseClick(form->RadioButton2, Qt::LeftButton); },
         {"Normal screen mode", "Residential", "Professional"}, [&] { return marked(form->RadioButton2); }},
        {"main output", [&] { clickMark(form->CheckListBox2, 1); }, {"Main output of zone 2", "off", "on"},
         [&] { return marked(form->CheckListBox2->item(1)); }},
        {"wallplates",
         [&] {
             clickItem(form->ListBox1, 2);
             clickMark(form->CheckListBox1, kC2);
             clickMark(form->CheckListBox1, kA1);
         },
         {"Zone 3 wallplates: +C2 \u2212A1", "A1 - 01, C1 - 13", "C1 - 13, C2 - 14"},
         [&] { return marked(form->ListBox1->item(2)) && marked(form->CheckListBox1->item(kC2)); }},
    };
    const QString title = form->windowTitle();
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.What);
        edit.Act();
        EXPECT_EQ(form->windowTitle(), title + "*");
        EXPECT_TRUE(edit.Marked());
        ASSERT_EQ(review->RowCount(), 1);
        EXPECT_EQ(review->RowTexts(0), edit.Row);

        QTest::mouseClick(&review->RevertButton(0), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return review->RowCount() == 0; }));
        EXPECT_EQ(form->windowTitle(), title);
        EXPECT_FALSE(edit.Marked());
        form->FormToConfig();
        EXPECT_EQ(form->ConfigRecord, kept);
    }
}

TEST_F(ChangeReviewTest, GridSignsShowAddedAndRemovedAndRevertAllUndoesEverything)
{
    form->ShowZoneOverview();
    auto* grid = form->Overview()->View().model();
    form->SetMark(kC2, 2, true);
    form->SetMark(kA1, 2, false);
    form->SetMark(ZoneGrid::kMainOutputRow, 5, true);
    retype(form->Edit1, "Z");
    EXPECT_EQ(grid->index(kC2, 2).data().toString(), "+");
    EXPECT_EQ(grid->index(kA1, 2).data().toString(), "\u2212");
    EXPECT_EQ(grid->index(kA1, 2).data(Qt::AccessibleDescriptionRole).toString(), "not marked, removed");
    EXPECT_EQ(grid->index(ZoneGrid::kMainOutputRow, 5).data(Qt::AccessibleDescriptionRole).toString(), "added");
    EXPECT_EQ(grid->index(kC1, 2).data().toString(), "");
    EXPECT_EQ(review->RowCount(), 3);

    QTest::mouseClick(&review->RevertAllButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return review->RowCount() == 0; }));
    EXPECT_EQ(grid->index(kA1, 2).data().toString(), "");
    form->FormToConfig();
    EXPECT_EQ(form->ConfigRecord, kept);
}

TEST_F(ChangeReviewTest, ReviewInTheSaveQuestionShowsTheChangesAndStopsTheClear)
{
    review->close();
    retype(form->Edit1, "Z");
    boxes.Answers.push_back(SaveChoice::Review);
    form->Button4Click();
    EXPECT_TRUE(review->isVisible());
    EXPECT_EQ(review->RowCount(), 1);
    EXPECT_TRUE(form->Edit1->text().startsWith("Z"));
}

} // namespace
} // namespace ostra::test
