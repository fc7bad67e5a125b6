#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "config/ConfigRecord.h"
#include "platform/drives/CardScan.h"
#include "ui/widgets/Anchors.h"
#include "ui/widgets/KeyToolTips.h"

class QComboBox;
class QLabel;
class QListWidgetItem;
class QPushButton;

namespace ostra {

class ConfigOpener;
class FileApi;
class ListBox;
class RemovableDrives;

// The card file browser: finds the removable drives whose root folder
// holds configuration files, lists the files of one drive with their
// descriptions, and opens the chosen one in the main window. Created once
// and only shown and hidden; each showing scans the drives afresh. Card
// files are read through `files`, as the main window loads them.
class TForm2 : public QWidget {
    Q_OBJECT
public:
    TForm2(ConfigOpener& editor, RemovableDrives& drives, FileApi& files, QWidget* parent = nullptr);
    ~TForm2() override;

    // Each line of the file list keeps the full path of its file under this
    // role, as the exact bytes of the name (a QByteArray): the line's text
    // shows the name padded and decoded, and a name may hold spaces, "]"
    // and bytes that are no UTF-8.
    static constexpr int FilePathRole = Qt::UserRole;

    // Event handlers.
    void FormShow();
    void ComboBox1Change();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();

    ListBox* ListBox1;
    QComboBox* ComboBox1;
    QPushButton *Button1, *Button2, *Button3, *Button4;
    QLabel* Label1;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void connectHandlers();
    void addDriveEntry(const DriveInfo& drive);
    void showDriveToolTip();
    // What a listing left in the list: nothing, lines in their final order,
    // or lines that the list's own sort must order.
    enum class Listing { NoFiles, InOrder, NeedsSorting };
    Listing listSelectedDrive();
    using FileItems = std::vector<std::unique_ptr<QListWidgetItem>>;
    std::unique_ptr<QListWidgetItem> newFileLine(const std::filesystem::path& folder, const CardFile& file) const;
    // Appends one listing's lines to the empty list, which takes them;
    // answers whether they already stand as the list's sort would put them.
    bool addFileLines(FileItems items);

    // The first drive FormShow offers, with the listing that found its first
    // file: the listing that follows in the same showing goes on with it
    // rather than scanning the folder again.
    std::optional<CardDrive> probed_;

    // The editor the browser opens files in.
    ConfigOpener& editor_;
    CardScan scan_;
    Anchors anchors_;
    KeyToolTips keyToolTips_;
};

} // namespace ostra
