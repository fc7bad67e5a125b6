// The main window's side of the Zone Overview: the grid's marks read from
// and written to the record and the main-output list, the window built
// when first asked for, and the controls that open it and the review of
// changes.
#include "ui/main/Unit1.h"

#include <QAction>
#include <QPushButton>

#include "config/ConfigFields.h"
#include "config/FieldText.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/KeyboardCommands.h"
#include "ui/widgets/ListBox.h"
#include "ui/widgets/PlaceControl.h"
#include "ui/widgets/SideWindows.h"
#include "ui/widgets/SingleByteEdit.h"
#include "ui/main/Unit1Tables.h"
#include "ui/main/ZoneEditor.h"
#include "ui/side/ZoneOverview.h"

namespace ostra {

using namespace unit1;

namespace {

const ConfigField& mainOutputField(int zone)
{
    return GroupField(kZoneGroup, zone + 1, &kZoneMainOutput);
}

} // namespace

namespace {

bool markIn(const TConfigRecord& record, int row, int zone)
{
    if (row == ZoneGrid::kMainOutputRow)
        return ReadFieldBit(record, mainOutputField(zone));
    return ZoneFeedsWallplate(record, zone + 1, row + 1);
}

} // namespace

bool TForm1::Mark(int row, int zone) const
{
    return markIn(document_.Record(), row, zone);
}

bool TForm1::KeptMark(int row, int zone) const
{
    return markIn(document_.Baseline(), row, zone);
}

// The cells are set in the window's lists and record as clicks would set
// them, and reach the document as one step.
void TForm1::SetMarks(const std::vector<Cell>& cells, bool marked)
{
    filling_ = true;
    bool shownZoneChanged = false;
    for (const Cell& cell : cells) {
        if (cell.Row == kMainOutputRow) {
            CheckListBox2->SetChecked(cell.Zone, marked);
        } else {
            SetWallplateMark(ConfigRecord, cell.Zone, cell.Row, marked);
            shownZoneChanged = shownZoneChanged || ListBox1->ItemIndex() == cell.Zone;
        }
    }
    // The wallplate list shows the selected zone; it reads it again.
    if (shownZoneChanged)
        ListBox1Click();
    filling_ = false;
    noteEdited();
}

QString TForm1::ZoneHeading(int zone) const
{
    return QString::fromStdString(ZoneHeadingAsShown(document_.Record(), zone + 1));
}

void TForm1::ShowZoneOverview()
{
    if (overview_ == nullptr)
        overview_ = std::make_unique<ZoneOverview>(*this, editorCommands());
    overview_->ShowBeside(*this);
}

// A button where the window had room, above Help and beside the
// advanced-mode box, last in the Tab order; the Zone Overview and the
// review of changes in the context menus of the zone panel's lists.
void TForm1::createReviewControls()
{
    ZoneOverviewButton = place(new QPushButton(kZoneOverviewTitle, this), "ZoneOverviewButton", {497, 441, 84, 23});
    ZoneOverviewButton->setAutoDefault(false);
    ClickOnEnter(*ZoneOverviewButton);
    connect(ZoneOverviewButton, &QPushButton::clicked, this, &TForm1::ShowZoneOverview);
    addTabStop(44, ZoneOverviewButton);
    for (ListBox* list : {ListBox1, static_cast<ListBox*>(CheckListBox1), static_cast<ListBox*>(CheckListBox2)}) {
        list->setContextMenuPolicy(Qt::ActionsContextMenu);
        auto* overview = new QAction(MenuEntryText(kZoneOverviewTitle, kZoneOverviewKeys), list);
        auto* review = new QAction(MenuEntryText(kReviewChangesTitle, kReviewChangesKeys), list);
        connect(overview, &QAction::triggered, this, &TForm1::ShowZoneOverview);
        connect(review, &QAction::triggered, this, [this] { ShowReviewChanges(); });
        list->addActions({overview, review});
    }
}

} // namespace ostra
