// The main window for screen readers: every control that takes input has
// a name built from the labels a sighted user reads beside it, labels
// point at the boxes they stand beside, and the frames name their groups.
#include "ui/main/Unit1.h"

#include <QLabel>
#include <QListWidgetItem>
#include <QSignalBlocker>

#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/HelpMemo.h"
#include "ui/widgets/LogoImage.h"
#include "ui/widgets/SingleByteEdit.h"
#include "ui/main/Unit1Tables.h"

namespace ostra {

using namespace unit1;

namespace {

void nameWithLabel(QWidget* control, const QString& name, QLabel* label)
{
    control->setAccessibleName(name);
    label->setBuddy(control);
}

} // namespace

void TForm1::nameForScreenReaders()
{
    for (const FrameSpec& row : kFrames)
        (this->*row.Frame.Member)->setAccessibleName(QString::fromLatin1(row.GroupName));
    nameWithLabel(Edit1, "Description", Label1);
    for (const NamePanel* panel : {&kSourcePanel, &kZonePanel}) {
        for (int i = 0; i < 6; ++i) {
            const NameRow& row = panel->Rows[i];
            const QString rowName = QStringLiteral("%1 %2 ").arg(QLatin1String(panel->RowNoun)).arg(i + 1);
            nameWithLabel(this->*row.ShortName.Member, rowName + "short name", this->*row.Number.Member);
            (this->*row.FullName.Member)->setAccessibleName(rowName + "full name");
        }
    }
    for (int k = 0; k < layout::kInstallerLineCount; ++k)
        (this->*kInstallerLines[k].Member)->setAccessibleName(QStringLiteral("Installer information, line %1").arg(k + 1));
    nameWithLabel(ListBox1, "Remote zones", Label5);
    nameWithLabel(CheckListBox1, "Wallplates of the selected zone", Label15);
    nameWithLabel(CheckListBox2, "Main output of each zone", Label14);
    // The list draws nothing of these names: its view need not hear of them.
    const QSignalBlocker quietModel(CheckListBox2->model());
    for (int k = 0; k < CheckListBox2->count(); ++k)
        CheckListBox2->item(k)->setData(Qt::AccessibleTextRole, QStringLiteral("Main output of zone %1").arg(k + 1));
    Memo1->setAccessibleName("Help text");
    Image1->setAccessibleName(LogoHint());
}

} // namespace ostra
