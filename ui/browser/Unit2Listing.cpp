// The card file browser's drive scan and file listing.
#include "ui/browser/Unit2.h"

#include <algorithm>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QComboBox>
#include <QPushButton>

#include "config/CardFileLine.h"
#include "config/CardFiles.h"
#include "config/ConfigRecord.h"
#include "ui/widgets/DisplayText.h"
#include "ui/widgets/ListBox.h"

namespace ostra {

namespace {

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

// A line of the file list that keeps its text and its file's path itself
// rather than as item data: thousands of lines are made per listing. The
// lines are never edited. A screen reader hears the file's name and what
// is shown of it, without the brackets and padding that line the names up
// on screen: "HALL.CFG, Main Hall - Hotel Ostrava".
class CardFileItem : public QListWidgetItem {
public:
    // The line ends in the name, "]   " and what is shown, whose lengths
    // are given.
    CardFileItem(QString text, QByteArray path, qsizetype nameLength, qsizetype shownLength)
        : text_(std::move(text)), path_(std::move(path)), nameLength_(nameLength), shownLength_(shownLength)
    {
    }

    QVariant data(int role) const override
    {
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return text_;
        if (role == Qt::AccessibleTextRole)
            return spokenText();
        if (role == TForm2::FilePathRole)
            return path_;
        return QListWidgetItem::data(role);
    }
    QListWidgetItem* clone() const override { return new CardFileItem(*this); }

private:
    static constexpr qsizetype kSeparatorLength = 4; // "]   "

    QString spokenText() const
    {
        const qsizetype nameStart = text_.size() - shownLength_ - kSeparatorLength - nameLength_;
        const QString shown = text_.right(shownLength_).trimmed();
        const QString name = text_.mid(nameStart, nameLength_);
        return shown.isEmpty() ? name : name + QStringLiteral(", ") + shown;
    }

    QString text_;
    QByteArray path_;
    qsizetype nameLength_;
    qsizetype shownLength_;
};

} // namespace

void TForm2::FormShow()
{
    scan_.rescan();
    ListBox1->clear();
    ComboBox1->clear();
    probed_.reset();
    // Only drives with at least one plain configuration file are offered.
    while (std::optional<CardDrive> drive = scan_.nextDrive()) {
        addDriveEntry(drive->Drive);
        if (!probed_)
            probed_ = std::move(drive);
    }
    ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
    showDriveToolTip();
    ComboBox1Change();
    probed_.reset();
}

void TForm2::addDriveEntry(const DriveInfo& drive)
{
    ComboBox1->addItem(QString(QLatin1Char(drive.Letter)));
    ComboBox1->setItemData(ComboBox1->count() - 1, driveToolTip(drive), Qt::ToolTipRole);
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
    Listing listed = Listing::NoFiles;
    try {
        listed = listSelectedDrive();
    } catch (const std::exception&) {
        // A file that cannot be read is a line of its own, so what comes
        // here is a fault of the listing itself (a folder gone, memory):
        // it ends in the state of a card without files rather than in the
        // event loop.
        ListBox1->clear();
        listed = Listing::NoFiles;
    }
    if (listed != Listing::NoFiles) {
        // Sorted from the first successful listing on: later listings then
        // insert each line in order.
        ListBox1->setSortingEnabled(true);
        if (listed == Listing::NeedsSorting)
            ListBox1->sortItems(Qt::AscendingOrder);
        ListBox1->SetItemIndex(0);
        setWindowTitle("Open Configuration File");
    } else {
        ListBox1->setCurrentRow(-1, QItemSelectionModel::Clear);
        Button2->setEnabled(false);
        setWindowTitle(kNoCardFilesMessage);
    }
}

// Lists every file of the selected drive, a file that cannot be read with
// its error in place of its description; NoFiles when there is no drive or
// no configuration file.
TForm2::Listing TForm2::listSelectedDrive()
{
    // Whatever is selected, the probe's listing serves one listing at most.
    std::optional<CardDrive> probed = std::exchange(probed_, std::nullopt);
    const QString letter = ComboBox1->currentText();
    if (letter.size() != 1)
        return Listing::NoFiles;
    const char driveLetter = letter.front().toLatin1();

    std::optional<CardFolderListing> scanned;
    CardFolderListing* listing = nullptr;
    std::optional<CardFile> file;
    if (probed && probed->Drive.Letter == driveLetter) {
        listing = &probed->Listing;
        file = std::move(probed->First);
    } else {
        listing = &scanned.emplace(scan_.listDrive(driveLetter));
        file = listing->next();
    }

    FileItems items;
    for (; file; file = listing->next())
        items.push_back(newFileLine(listing->folder(), *file));
    if (items.empty())
        return Listing::NoFiles;
    return addFileLines(std::move(items)) ? Listing::InOrder : Listing::NeedsSorting;
}

std::unique_ptr<QListWidgetItem> TForm2::newFileLine(const std::filesystem::path& folder, const CardFile& file) const
{
    // The folder and a bare file name joined as path's operator/ would, in
    // one buffer.
    const std::string& folderPath = folder.native();
    const std::string& fileName = file.Name;
    QByteArray path;
    path.reserve(static_cast<qsizetype>(folderPath.size() + 1 + fileName.size()));
    path.append(folderPath.data(), static_cast<qsizetype>(folderPath.size()));
    if (!folderPath.empty() && folderPath.back() != '/')
        path.append('/');
    path.append(fileName.data(), static_cast<qsizetype>(fileName.size()));
    const QString displayName = DisplayName(fileName);
    const QByteArray name = displayName.toUtf8();
    const std::string shown = file.Failure ? CardFileFailure(FailureMessage(file))
                                           : CardFileDescription(CardFileRecord(file), CardLineScreen::BrowserList);
    const std::string line = CardFileLine(std::string_view(name.constData(), static_cast<std::size_t>(name.size())), shown);
    return std::make_unique<CardFileItem>(QString::fromStdString(line), std::move(path),
                                          displayName.size(), QString::fromStdString(shown).size());
}

namespace {

using FileLines = std::vector<std::pair<QString, QListWidgetItem*>>;

// Whether the lines stand in strictly ascending order by the comparison
// the list's sort makes of items' texts (their collation): the sort would
// then leave them as they are.
bool strictlyAscending(const FileLines& lines)
{
    return std::adjacent_find(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
               return QString::localeAwareCompare(a.first, b.first) >= 0;
           }) == lines.end();
}

template <typename Less>
FileLines sortedLines(FileLines lines, Less less)
{
    std::stable_sort(lines.begin(), lines.end(), [&](const auto& a, const auto& b) { return less(a.first, b.first); });
    return lines;
}

} // namespace

bool TForm2::addFileLines(FileItems items)
{
    // In sorted mode the list would put each line in order as it comes, an
    // insertion that compares boxed texts each time. Much the same order
    // is reached here once: ascending by text and, as each sorted
    // insertion goes before the equal lines already there, equal lines
    // latest first. Before the first listing the list is unsorted and
    // keeps the files' order unless they already stand sorted. The list is
    // empty at the start of a listing, so appending the lines in the order
    // chosen, with sorting held off, gives the list it would have built.
    const bool sorted = ListBox1->isSortingEnabled();
    FileLines lines;
    lines.reserve(items.size());
    for (std::unique_ptr<QListWidgetItem>& item : items)
        lines.emplace_back(item->text(), item.get());
    if (sorted)
        std::reverse(lines.begin(), lines.end());

    // The list's own sort compares items by their texts' collation, one
    // boxed text at a time: slow for thousands of lines. Code-unit order
    // usually agrees with it and is cheap, so it is tried first and the
    // collation sort made only when it does not. Lines that then stand
    // strictly ascending need no sort by the list.
    FileLines byText = sortedLines(lines, std::less<QString>());
    if (!strictlyAscending(byText))
        byText = sortedLines(lines, [](const QString& a, const QString& b) {
            return QString::localeAwareCompare(a, b) < 0;
        });
    const bool inOrder = strictlyAscending(byText);
    const FileLines& arranged = sorted || inOrder ? byText : lines;
    ListBox1->setSortingEnabled(false);
    for (const auto& line : arranged)
        ListBox1->addItem(line.second);
    // The list owns every line now.
    for (std::unique_ptr<QListWidgetItem>& item : items)
        item.release();
    ListBox1->setSortingEnabled(sorted);
    return inOrder;
}

} // namespace ostra
