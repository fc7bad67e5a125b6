// Undo and Redo over every kind of edit, in the main window, the Zone
// Overview and Review Changes: each takes the unit, the title, the change
// marks and the review exactly back to the state the step left, and every
// view reads the same unit.
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "FormFixture.h"
#include "config/ConfigLayout.h"
#include "report-test/ReportText.h"
#include "ui/widgets/ChangeMarks.h"
#include "ui/main/ZoneEditor.h"
#include "ui/side/ReviewChanges.h"
#include "ui/side/ZoneGridModel.h"
#include "ui/side/ZoneOverview.h"

namespace ostra::test {
namespace {

constexpr int kA1 = 0, kC1 = 12;

// What the user sees of the unit at one moment.
struct Seen {
    TConfigRecord Record;
    TConfigRecord Saved; // what a save would gather from the controls now
    QString Title;
    std::vector<QString> Marked; // the controls and zones marked changed
    std::vector<QStringList> Review;
    std::vector<bool> Grid; // every mark cell of the Zone Overview

    friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& seen, std::ostream* out)
{
    *out << seen.Title.toStdString() << ", " << seen.Marked.size() << " marked, " << seen.Review.size()
         << " review rows";
}

class UndoTest : public FormFixture {
protected:
    void SetUp() override
    {
        TConfigRecord record = sampleRecord();
        SetWallplateMark(record, 2, kA1, true);
        writeRecord(path("x.cfg"), record);
        openFromCard(path("x.cfg"));
        form->show();
        form->ShowZoneOverview();
        form->ShowReviewChanges();
    }

    Seen seen()
    {
        Seen now{form->Document().Record(), {}, form->windowTitle(), {}, {}, {}};
        const TConfigRecord record = form->ConfigRecord;
        form->FormToConfig();
        now.Saved = form->ConfigRecord;
        form->ConfigRecord = record;
        for (const QWidget* control : form->findChildren<QWidget*>())
            if (HasChangeMark(*control))
                now.Marked.push_back(control->objectName());
        // The wallplate list shows the selected zone, which Undo selects;
        // the zone list's marks say the same of every zone.
        for (const QListWidget* list : form->findChildren<QListWidget*>())
            for (int row = 0; list != form->CheckListBox1 && row < list->count(); ++row)
                if (list->item(row)->data(Qt::AccessibleDescriptionRole).toString() == "changed")
                    now.Marked.push_back(list->objectName() + QString::number(row));
        for (int row = 0; row < form->Review()->RowCount(); ++row)
            now.Review.push_back(form->Review()->RowTexts(row));
        const QAbstractItemModel& grid = *form->Overview()->View().model();
        for (int row = 0; row < ZoneGridModel::kCountRow; ++row)
            for (int zone = 0; zone < ZoneGridModel::kCountColumn; ++zone)
                now.Grid.push_back(grid.index(row, zone).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked);
        return now;
    }

    QString menuText(const char* command) const
    {
        for (const QAction* action : form->actions())
            if (action->text().startsWith(QLatin1String(command)))
                return action->text().section('\t', 0, 0);
        return {};
    }

    void press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        QTest::keyClick(window, key, modifiers);
    }
};

struct EditCase {
    const char* What;
    std::function<void(TForm1&)> Before; // an edit the step needs first
    std::function<void(TForm1&)> Step;
    const char* Name; // as Undo's menu entry names the step
};

void clickCell(ZoneGridView& view, int row, int zone)
{
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(row, zone)).center());
}

const EditCase kEdits[] = {
    {"typing in a box", {},
     [](TForm1& f) {
         f.Edit1->setFocus();
         f.Edit1->selectAll();
         typeText(f.Edit1, "Lobby");
     },
     "Typing in Description"},
    {"a check box", {}, [](TForm1& f) { clickCheckBox(f.CheckBox4); }, nullptr},
    {"a radio button", {}, [](TForm1& f) { QTest::mouseClick(f.RadioButton2, Qt::LeftButton); }, nullptr},
    {"a wallplate in the list", {},
     [](TForm1& f) {
         clickItem(f.ListBox1, 1);
         clickMark(f.CheckListBox1, kC1);
     },
     "Zone 2 wallplates"},
    {"a main output in the list", {}, [](TForm1& f) { clickMark(f.CheckListBox2, 4); }, "Main output of zone 5"},
    {"a grid cell", {}, [](TForm1& f) { clickCell(f.Overview()->View(), kC1, 3); }, "Zone 4 wallplates"},
    {"a range of grid cells", {},
     [](TForm1& f) {
         ZoneGridView& view = f.Overview()->View();
         view.selectionModel()->select(QItemSelection(view.model()->index(kA1, 3), view.model()->index(kC1, 4)),
                                       QItemSelectionModel::ClearAndSelect);
         view.selectionModel()->setCurrentIndex(view.model()->index(kA1, 4), QItemSelectionModel::NoUpdate);
         QTest::keyClick(&view, Qt::Key_Space);
     },
     "Zone Overview marks"},
    {"a zone name", {},
     [](TForm1& f) {
         f.Edit23->setFocus();
         f.Edit23->selectAll();
         typeText(f.Edit23, "Den");
     },
     nullptr},
    {"Clear", {}, [](TForm1& f) { f.Button4Click(); }, "Clear"},
    {"one Revert",
     [](TForm1& f) {
         f.Edit1->selectAll();
         typeText(f.Edit1, "Lobby");
     },
     [](TForm1& f) { QTest::mouseClick(&f.Review()->RevertButton(0), Qt::LeftButton); },
     "Revert Description"},
    {"Revert All",
     [](TForm1& f) {
         f.Edit1->selectAll();
         typeText(f.Edit1, "Lobby");
         clickCheckBox(f.CheckBox1);
     },
     [](TForm1& f) { QTest::mouseClick(&f.Review()->RevertAllButton(), Qt::LeftButton); }, "Revert All"},
};

TEST_F(UndoTest, EachEditIsOneStepThatUndoAndRedoTakeBackAndDoAgainInEveryWindow)
{
    for (const EditCase& edit : kEdits) {
        for (QWidget* window : {static_cast<QWidget*>(form.get()), static_cast<QWidget*>(form->Overview()),
                                static_cast<QWidget*>(form->Review())}) {
            SCOPED_TRACE(std::string(edit.What) + " in " + window->windowTitle().toStdString());
            openFromCard(path("x.cfg"));
            form->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
            if (edit.Before)
                edit.Before(*form);
            form->setFocus(); // the burst of typing ends here
            const Seen before = seen();
            edit.Step(*form);
            ASSERT_TRUE(QTest::qWaitFor([&] { return seen() != before; })) << "the step changed nothing";
            const Seen after = seen();
            if (edit.Name != nullptr) {
                EXPECT_EQ(menuText("Undo"), QString("Undo ") + edit.Name);
            }

            ASSERT_NO_FATAL_FAILURE(press(window, Qt::Key_Z, Qt::ControlModifier));
            EXPECT_EQ(seen(), before) << "after Undo";
            ASSERT_NO_FATAL_FAILURE(press(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
            EXPECT_EQ(seen(), after) << "after Redo";
            ASSERT_NO_FATAL_FAILURE(press(window, Qt::Key_Z, Qt::ControlModifier));
            ASSERT_NO_FATAL_FAILURE(press(window, Qt::Key_Y, Qt::ControlModifier));
            EXPECT_EQ(seen(), after) << "after Ctrl+Y";
        }
    }
}

// Undo brings the control it changed into view: the zone of a wallplate
// selected in the window's list, the control given the focus.
TEST_F(UndoTest, UndoShowsTheControlItChanged)
{
    clickItem(form->ListBox1, 4);
    clickMark(form->CheckListBox1, kC1);
    clickItem(form->ListBox1, 0);
    form->Edit3->setFocus();
    form->Undo();
    EXPECT_EQ(form->ListBox1->ItemIndex(), 4);
    EXPECT_EQ(form->focusWidget(), form->CheckListBox1);

    clickCheckBox(form->CheckBox2);
    form->Edit3->setFocus();
    form->Undo();
    EXPECT_EQ(form->focusWidget(), form->CheckBox2);
}

// After Clear, an open and a Revert, every view reads the one unit: the
// title, the grid, the review and the printed page.
TEST_F(UndoTest, EveryViewReadsTheSameUnitAfterClearOpenAndRevert)
{
    TConfigRecord other = sampleRecord();
    putText(other, 0, "Other unit");
    writeRecord(path("other.cfg"), other);
    const struct {
        const char* What;
        std::function<void()> Act;
    } actions[] = {
        {"Clear", [&] { form->Button4Click(); }},
        {"open", [&] { openFromCard(path("other.cfg")); }},
        {"Revert",
         [&] {
             clickCheckBox(form->CheckBox3);
             form->Edit1->selectAll();
             typeText(form->Edit1, "Typed");
             QTest::mouseClick(&form->Review()->RevertButton(0), Qt::LeftButton);
         }},
    };
    for (const auto& action : actions) {
        SCOPED_TRACE(action.What);
        action.Act();
        ASSERT_TRUE(QTest::qWaitFor([&] { return form->Review()->RowCount() == int(form->Document().ChangedFields().size()); }));
        const UnitDocument& unit = form->Document();
        EXPECT_EQ(form->windowTitle().endsWith('*'), unit.Modified());
        const QAbstractItemModel& grid = *form->Overview()->View().model();
        for (int zone = 0; zone < 6; ++zone)
            for (int plate = 0; plate < 36; ++plate)
                EXPECT_EQ(grid.index(plate, zone).data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked,
                          ZoneFeedsWallplate(unit.Record(), zone + 1, plate + 1));

        const std::optional<std::string> page =
            printedText([&](QPagedPaintDevice& device) { return form->PrintUnit(device); });
        if (!page)
            GTEST_SKIP() << "pdftotext is not installed";
        if (!IsBlankConfig(unit.Record())) {
            const std::string description = ReadConfigText(unit.Record(), 0, 32);
            EXPECT_NE(page->find(description.substr(0, description.find_last_not_of(' ') + 1)), std::string::npos);
        }
        const std::string file = std::filesystem::path(unit.FilePath()).filename().string();
        EXPECT_EQ(page->find(file) != std::string::npos, unit.ShowsFile()) << *page;
        EXPECT_EQ(page->find("Unsaved changes included") != std::string::npos, unit.Cleared() || unit.Modified());
    }
}

} // namespace
} // namespace ostra::test
