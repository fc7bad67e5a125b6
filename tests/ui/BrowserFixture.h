#pragma once

#include <filesystem>
#include <ostream>
#include <string>

#include <QRect>
#include <QStringList>

#include "FormFixture.h"
#include "fakes/FakeRemovableDrives.h"
#include "platform/drives/CountingCardFiles.h"
#include "ui/widgets/ListBox.h"
#include "ui/browser/Unit2.h"

// Readable failure messages for the Qt values the browser tests compare.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.x() << ',' << rect.y() << ' ' << rect.width() << 'x' << rect.height();
}

namespace ostra::test {

// A card file browser beside a main window on fakes; cards are folders in
// the scratch folder, plugged in under a drive letter.
class BrowserFixture : public FormFixture {
protected:
    BrowserFixture();

    // A new card folder, plugged in as drive `letter`.
    std::filesystem::path plugCard(char letter, const std::string& folderName, const std::string& volume = {});
    // A 2048-byte file whose description holds `description` and zeros.
    void putConfig(const std::filesystem::path& card, const std::string& name, const std::string& description);
    void putBytes(const std::filesystem::path& card, const std::string& name, const std::string& bytes);

    QStringList lines() const;
    QStringList driveLetters() const;
    // Shows the browser, which scans the drives.
    void showBrowser();
    void click(QPushButton* button);
    void doubleClickRow(int row);
    // A double-click in the list below its last line.
    void doubleClickEmptyArea();
    void doubleClickAt(QPoint point);

    // Every listing request the browser makes goes through here.
    CountingCardFiles cardFiles;
    FakeRemovableDrives drives;
    TForm2 browser;
};

QString pathText(const std::filesystem::path& path);

} // namespace ostra::test
