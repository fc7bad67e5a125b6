#include "BrowserFixture.h"

#include <fstream>

#include <QComboBox>
#include <QFile>
#include <QTest>

namespace ostra::test {

BrowserFixture::BrowserFixture() : FormFixture([this] { browser.show(); }), browser(*form, drives, cardFiles)
{
}

std::filesystem::path BrowserFixture::plugCard(char letter, const std::string& folderName, const std::string& volume)
{
    const std::filesystem::path card = std::filesystem::path(folder.path().toStdString()) / folderName;
    std::filesystem::create_directories(card);
    drives.plugIn(letter, card, volume);
    return card;
}

void BrowserFixture::putConfig(const std::filesystem::path& card, const std::string& name, const std::string& description)
{
    std::string bytes(layout::kRecordSize, '\0');
    bytes.replace(0, description.size(), description);
    putBytes(card, name, bytes);
}

void BrowserFixture::putBytes(const std::filesystem::path& card, const std::string& name, const std::string& bytes)
{
    std::ofstream out(card / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << name;
}

QStringList BrowserFixture::lines() const
{
    QStringList texts;
    for (int row = 0; row < browser.ListBox1->count(); ++row)
        texts << browser.ListBox1->item(row)->text();
    return texts;
}

QStringList BrowserFixture::driveLetters() const
{
    QStringList letters;
    for (int index = 0; index < browser.ComboBox1->count(); ++index)
        letters << browser.ComboBox1->itemText(index);
    return letters;
}

void BrowserFixture::showBrowser()
{
    browser.show();
    ASSERT_TRUE(browser.isVisible());
}

void BrowserFixture::click(QPushButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

void BrowserFixture::doubleClickRow(int row)
{
    const QRect item = browser.ListBox1->visualItemRect(browser.ListBox1->item(row));
    doubleClickAt(item.center());
}

void BrowserFixture::doubleClickEmptyArea()
{
    const QWidget* viewport = browser.ListBox1->viewport();
    doubleClickAt(QPoint(viewport->width() / 2, viewport->height() - 4));
}

void BrowserFixture::doubleClickAt(QPoint point)
{
    // A window system sends a click before the double-click; QTest sends
    // the double-click alone.
    QTest::mouseClick(browser.ListBox1->viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(browser.ListBox1->viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

QString pathText(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

} // namespace ostra::test
