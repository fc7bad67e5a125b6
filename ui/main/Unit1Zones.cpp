// The zone assignment editor inside the main window. The wallplate marks
// are a view of one zone of the record: selecting a zone reads its 36
// bits, and every user action in the wallplate list writes all 36 back,
// so marks and record never disagree once a zone is selected.
#include "ui/main/Unit1.h"

#include "config/ConfigLayout.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/main/ZoneEditor.h"

namespace ostra {

namespace {

bool isZone(int index)
{
    return index >= 0 && index < layout::kZoneCount;
}

} // namespace

void TForm1::ListBox1Click()
{
    const int zone = ListBox1->ItemIndex();
    if (!isZone(zone))
        return;
    for (int item = 0; item < layout::kWallplateCount; ++item)
        CheckListBox1->SetChecked(item, WallplateMark(ConfigRecord, zone, item));
}

void TForm1::CheckListBox1Click()
{
    // Before any zone is selected the marks reach no zone.
    const int zone = ListBox1->ItemIndex();
    if (!isZone(zone))
        return;
    for (int item = 0; item < layout::kWallplateCount; ++item)
        SetWallplateMark(ConfigRecord, zone, item, CheckListBox1->Checked(item));
}

} // namespace ostra
