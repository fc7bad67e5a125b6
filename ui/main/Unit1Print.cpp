// The main window's print: the report of the unit as it stands in the
// window, unsaved edits included and then marked so on the page, shown in
// a print preview whose Print button opens the platform's print dialog.
#include "ui/main/Unit1.h"

#include <ctime>

#include <QAction>
#include <QApplication>

#include "report/ReportPainter.h"
#include "report/SiteReport.h"
#include "ui/widgets/CheckListBox.h"
#include "ui/widgets/SideWindows.h"

namespace ostra {

report::ReportUnit TForm1::unitAsShown()
{
    // The file the title names, the one last opened or saved, unless a
    // Clear since put a blank unit in its place: that unit is in no file.
    report::ReportUnit unit;
    unit.File = document_.ShowsFile() ? report::ReportFileAt(files_, document_.FilePath()) : report::ReportFile{};
    unit.Record = recordAsSaved();
    unit.Unsaved = document_.Cleared() || document_.Modified();
    return unit;
}

bool TForm1::PrintUnit(QPagedPaintDevice& device)
{
    return report::PrintUnitReport(device, unitAsShown(), std::time(nullptr));
}

// Painted once for the preview and again for the printer the user
// chooses; the unit is read each time, so both show the same edits.
void TForm1::ShowPrintPreview(QWidget* owner)
{
    QWidget& above = owner != nullptr ? *owner : *this;
    const auto paint = [this](QPagedPaintDevice& device) { return PrintUnit(device); };
    const auto failed = [this](const QString& target) {
        // Above whichever window is active then: the print dialog has
        // closed, the preview may still show.
        ShowErrorMessage("The report could not be printed", QApplication::activeWindow(),
                         QStringLiteral("Printing to: %1\nFor a PDF file, check that its folder exists, that you may "
                                        "write there and that the disk has room; for a printer, that it is "
                                        "connected and ready.")
                             .arg(target));
    };
    if (const std::optional<QString> failure =
            printPreview_.Show(above, QString::fromLatin1(kPrintPreviewTitle), paint, failed))
        ShowErrorMessage("Printing is not available", &above, *failure);
}

// Print... in the context menu of the window's background; the lists of
// the zone panel carry it with their own entries.
void TForm1::addPrintEntries()
{
    setContextMenuPolicy(Qt::ActionsContextMenu);
    const QList<QWidget*> menuOwners = {this, ListBox1, CheckListBox1, CheckListBox2};
    for (QWidget* menuOwner : menuOwners) {
        auto* print = new QAction(MenuEntryText(kPrintCommand, kPrintKeys), menuOwner);
        connect(print, &QAction::triggered, this, [this] { ShowPrintPreview(this); });
        menuOwner->addAction(print);
    }
}

} // namespace ostra
