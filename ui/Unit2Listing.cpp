// The card file browser's drive scan and file listing.
#include "ui/Unit2.h"

#include <optional>
#include <vector>

#include <QComboBox>
#include <QPushButton>

#include "config/ConfigRecord.h"
#include "platform/drives/RemovableDrives.h"
#include "ui/CardFileLine.h"
#include "ui/DisplayText.h"
#include "ui/ListBox.h"

namespace ostra {

namespace {

// Drives A and B were floppy drives and are never probed, removable or not.
constexpr char kFirstProbedLetter = 'C';
constexpr char kLastProbedLetter = 'Z';
constexpr const char* kConfigPattern = "*.cfg";

// "Mount path: ..." and, when the drive has one, "Volume name: ...": with
// two card readers the bare letters alone do not tell which is which.
QString driveToolTip(const DriveInfo& drive)
{
    QString tip = QStringLiteral("Mount path: ") + DisplayName(drive.MountPath.string());
    if (!drive.VolumeName.empty())
        tip += QStringLiteral("\nVolume name: ") + QString::fromStdString(drive.VolumeName);
    return tip;
}

// Locks the redrawing of a control for as long as it lives.
class RedrawLock {
public:
    explicit RedrawLock(QWidget* control) : control_(control) { control_->setUpdatesEnabled(false); }
    ~RedrawLock() { control_->setUpdatesEnabled(true); }
    RedrawLock(const RedrawLock&) = delete;
    RedrawLock& operator=(const RedrawLock&) = delete;

private:
    QWidget* control_;
};

} // namespace

void TForm2::FormShow()
{
    drives_.Rescan();
    ListBox1->clear();
    ComboBox1->clear();
    for (char letter = kFirstProbedLetter; letter <= kLastProbedLetter; ++letter) {
        const std::string root{letter, ':', '\\'};
        if (drives_.DriveTypeOf(root) != DriveType::Removable)
            continue;
        // Only drives with at least one plain configuration file are offered.
        if (!drives_.FindFiles(drives_.RootFolder(letter), kConfigPattern).empty())
            addDriveEntry(letter);
    }
    ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
    showDriveToolTip();
    ComboBox1Change();
}

void TForm2::addDriveEntry(char letter)
{
    ComboBox1->addItem(QString(QLatin1Char(letter)));
    if (const std::optional<DriveInfo> drive = drives_.FindDrive(letter))
        ComboBox1->setItemData(ComboBox1->count() - 1, driveToolTip(*drive), Qt::ToolTipRole);
}

void TForm2::showDriveToolTip()
{
    ComboBox1->setToolTip(ComboBox1->currentData(Qt::ToolTipRole).toString());
}

void TForm2::ComboBox1Change()
{
    Button2->setEnabled(true);
    ListBox1->clear();
    setWindowTitle("Populating...");
    const RedrawLock lock(ListBox1);
    bool listed = false;
    try {
        listed = listSelectedDrive();
    } catch (...) {
        // Any failure ends the listing; the lines added before it stay.
        listed = false;
    }
    if (listed) {
        // Sorted from the first successful listing on: later listings then
        // insert each line in order.
        ListBox1->setSortingEnabled(true);
        ListBox1->sortItems(Qt::AscendingOrder);
        ListBox1->SetItemIndex(0);
        setWindowTitle("Open Configuration File");
    } else {
        ListBox1->setCurrentRow(-1, QItemSelectionModel::Clear);
        Button2->setEnabled(false);
        setWindowTitle("No Files Found on Removeable Drive");
    }
}

// Lists every file of the selected drive; false when there is no drive or
// no file. A file that cannot be read raises and ends the listing there.
bool TForm2::listSelectedDrive()
{
    const QString letter = ComboBox1->currentText();
    if (letter.size() != 1)
        return false;
    const std::filesystem::path folder = drives_.RootFolder(letter.front().toLatin1());
    if (folder.empty())
        return false;
    const std::vector<std::string> names = drives_.FindFiles(folder, kConfigPattern);
    for (const std::string& name : names)
        AddConfigFileLine(folder, name);
    return !names.empty();
}

void TForm2::AddConfigFileLine(const std::filesystem::path& folder, const std::string& fileName)
{
    const std::filesystem::path file = folder / fileName;
    // A record of the browser's own: the one being edited is never touched.
    TConfigRecord scratch{};
    ReadConfigFile(file.string(), scratch);
    auto* item = new QListWidgetItem(CardFileLine(DisplayName(fileName), CardFileDescription(scratch)));
    item->setData(FilePathRole, QByteArray::fromStdString(file.string()));
    ListBox1->addItem(item);
}

} // namespace ostra
