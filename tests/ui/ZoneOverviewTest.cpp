// The Zone Overview, the record and the zone panel kept in step, and the
// grid as a screen reader and a spreadsheet see it.
#include <set>
#include <utility>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QTest>

#include "FormFixture.h"
#include "config/ConfigLayout.h"
#include "ui/main/ZoneEditor.h"
#include "ui/side/ZoneGridModel.h"
#include "ui/side/ZoneOverview.h"

namespace ostra::test {
namespace {

using Marks = std::set<std::pair<int, int>>; // (zone, wallplate item), from 0

constexpr int kC1 = 12, kF6 = 35, kA2 = 1;

class ZoneOverviewTest : public FormFixture {
protected:
    void SetUp() override
    {
        TConfigRecord record{};
        putText(record, 0, "Hotel");
        putText(record, layout::zoneFullNameOffset(3), "Kitchen");
        SetWallplateMark(record, 2, kF6, true);
        writeRecord(path("x.cfg"), record);
        openFromCard(path("x.cfg"));
        form->show();
        form->ShowZoneOverview();
        view = &form->Overview()->View();
    }

    QModelIndex cell(int row, int zone) const { return view->model()->index(row, zone); }
    void clickCell(int row, int zone)
    {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(cell(row, zone)).center());
    }

    // Bytes 236 to 289 hold exactly marks, and the grid and the wallplate
    // list (showing the selected zone) say the same.
    void expectInStep(const Marks& marks, const char* what)
    {
        SCOPED_TRACE(what);
        TConfigRecord expected = form->ConfigRecord;
        for (int zone = 0; zone < 6; ++zone)
            for (int item = 0; item < 36; ++item)
                SetWallplateMark(expected, zone, item, marks.count({zone, item}) > 0);
        EXPECT_TRUE(std::equal(expected.begin() + 236, expected.begin() + 290, form->ConfigRecord.begin() + 236));
        const int selected = form->ListBox1->ItemIndex();
        for (int zone = 0; zone < 6; ++zone)
            for (int item = 0; item < 36; ++item) {
                const bool marked = marks.count({zone, item}) > 0;
                EXPECT_EQ(cell(item, zone).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked, marked)
                    << zone << "/" << item;
                if (zone == selected) {
                    EXPECT_EQ(form->CheckListBox1->Checked(item), marked) << item;
                }
            }
    }

    ZoneGridView* view = nullptr;
};

TEST_F(ZoneOverviewTest, GridRecordAndPanelStayInStep)
{
    struct Step {
        const char* What;
        std::function<void()> Act;
        Marks Expected;
    };
    const std::vector<Step> steps = {
        {"opened", [] {}, {{2, kF6}}},
        {"grid click in zone 3", [&] { clickCell(kC1, 2); }, {{2, kF6}, {2, kC1}}},
        {"zone 3 selected in the panel", [&] { clickItem(form->ListBox1, 2); }, {{2, kF6}, {2, kC1}}},
        {"Space on the grid in the shown zone",
         [&] {
             view->setCurrentIndex(cell(kA2, 2));
             QTest::keyClick(view, Qt::Key_Space);
         },
         {{2, kF6}, {2, kC1}, {2, kA2}}},
        {"panel click", [&] { clickMark(form->CheckListBox1, kC1); }, {{2, kF6}, {2, kA2}}},
        {"grid click in another zone", [&] { clickCell(0, 5); }, {{2, kF6}, {2, kA2}, {5, 0}}},
        // The current cell (row 2) is unmarked: the whole range is marked.
        {"Space on a range chosen with Shift",
         [&] {
             view->setCurrentIndex(cell(0, 5));
             QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
             QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
             QTest::keyClick(view, Qt::Key_Space);
         },
         {{2, kF6}, {2, kA2}, {5, 0}, {5, 1}, {5, 2}}},
        {"a click with Ctrl on a marked cell of the range",
         [&] {
             QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier,
                               view->visualRect(cell(1, 5)).center());
         },
         {{2, kF6}, {2, kA2}}},
        {"Clear", [&] { form->Button4Click(); }, {}},
        {"open", [&] { openFromCard(path("x.cfg")); }, {{2, kF6}}},
    };
    for (const Step& step : steps) {
        step.Act();
        expectInStep(step.Expected, step.What);
    }
}

TEST_F(ZoneOverviewTest, MainOutputCellsSetTheListAndReachTheFileAtSave)
{
    clickCell(ZoneGrid::kMainOutputRow, 3);
    EXPECT_TRUE(form->CheckListBox2->Checked(3));
    clickMark(form->CheckListBox2, 0);
    EXPECT_EQ(cell(ZoneGrid::kMainOutputRow, 0).data(Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);
    EXPECT_EQ(cell(ZoneGrid::kMainOutputRow, ZoneGridModel::kCountColumn).data().toInt(), 2);
    // The record takes main outputs at save, as the list's own marks.
    EXPECT_EQ(form->ConfigRecord[410], 0);
    form->Button1Click();
    EXPECT_EQ(readFile(path("x.cfg"))[410], 0x09);
}

TEST_F(ZoneOverviewTest, ScreenReadersHearATableWhoseCellsToggle)
{
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(table, nullptr);
    ASSERT_NE(table->tableInterface(), nullptr);
    EXPECT_EQ(table->tableInterface()->rowCount(), 38);
    EXPECT_EQ(table->tableInterface()->columnCount(), 7);
    QAccessibleInterface* c1 = table->tableInterface()->cellAt(kC1, 2);
    ASSERT_NE(c1, nullptr);
    QAccessibleTableCellInterface* c1Cell = c1->tableCellInterface();
    ASSERT_NE(c1Cell, nullptr);
    EXPECT_EQ(c1->text(QAccessible::Name), "C1 - 13, zone 3 Kitchen");
    ASSERT_EQ(c1Cell->columnHeaderCells().size(), 1);
    EXPECT_EQ(c1Cell->columnHeaderCells().front()->text(QAccessible::Name), "3 Kitchen");
    ASSERT_EQ(c1Cell->rowHeaderCells().size(), 1);
    EXPECT_EQ(c1Cell->rowHeaderCells().front()->text(QAccessible::Name), "C1 - 13");
    EXPECT_TRUE(c1->state().checkable);
    EXPECT_FALSE(c1->state().checked);
    EXPECT_EQ(c1->text(QAccessible::Description), "not marked");
    // The counts are read, never acted on.
    for (const auto& [row, column] : {std::pair{kC1, 6}, std::pair{37, 2}}) {
        QAccessibleInterface* count = table->tableInterface()->cellAt(row, column);
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(count->actionInterface(), nullptr) << count->text(QAccessible::Name).toStdString();
        EXPECT_FALSE(count->state().checkable);
    }

    // The toggle action marks and unmarks; the name follows the zone's
    // name as typed.
    QAccessibleActionInterface* actions = c1->actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    for (const bool expected : {true, false}) {
        actions->doAction(QAccessibleActionInterface::toggleAction());
        EXPECT_EQ(WallplateMark(form->ConfigRecord, 2, kC1), expected);
        EXPECT_EQ(table->tableInterface()->cellAt(kC1, 2)->state().checked, expected);
    }
    form->Edit23->SetBytes("Den");
    EXPECT_EQ(table->tableInterface()->cellAt(kC1, 2)->text(QAccessible::Name), "C1 - 13, zone 3 Den");
}

TEST_F(ZoneOverviewTest, CopyGivesTabSeparatedTextWithHeadings)
{
    const QStringList whole = view->SelectionAsText().split('\n');
    EXPECT_EQ(whole.front(), "\t1\t2\t3 Kitchen\t4\t5\t6\tZones");
    EXPECT_EQ(whole.at(1 + kF6), "F6 - 36\t\t\tx\t\t\t\t1");
    EXPECT_EQ(whole.at(1 + 37), "Marks\t0\t0\t1\t0\t0\t0\t");

    view->selectionModel()->select(QItemSelection(cell(kF6, 1), cell(ZoneGrid::kMainOutputRow, 2)),
                                   QItemSelectionModel::ClearAndSelect);
    EXPECT_EQ(view->SelectionAsText(), "\t2\t3 Kitchen\nF6 - 36\t\tx\nMain\t\t\n");
}

} // namespace
} // namespace ostra::test
