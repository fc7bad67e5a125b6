// What Linux allows in names and windows: file names that are bytes rather
// than text, "[*]" in a path, dialogs above the browser, files without a dot.
#include <fstream>
#include <iterator>

#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QListView>
#include <QTest>
#include <QWindow>

#include "BrowserFixture.h"
#include "platform/qt/QtFileDialogs.h"

namespace ostra::test {
namespace {

class LinuxNamesTest : public BrowserFixture {};

// Neither the card's folder nor the file's name is UTF-8: the line shows
// them decoded, while open and save use the bytes of the listing.
TEST_F(LinuxNamesTest, NamesThatAreNoUtf8OpenAndSaveTheSameFile)
{
    const auto card = plugCard('E', "m\xfc" "nchen");
    const std::string name = "caf\xe9.cfg";
    putConfig(card, name, "Cafe");
    showBrowser();
    ASSERT_EQ(lines(), QStringList{QString::fromUtf8("[     caf\xef\xbf\xbd.cfg]   Cafe")});

    doubleClickRow(0);
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(form->CurrentFilePath, (card / name).string());
    EXPECT_EQ(form->SaveDialog1.FileName(), (card / name).string());
    EXPECT_TRUE(form->windowTitle().contains(QString::fromUtf8("m\xef\xbf\xbdnchen/caf\xef\xbf\xbd.cfg")));

    form->Edit1->selectAll();
    typeText(form->Edit1, "Bistro");
    form->Button1Click();
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(card), {}), 1);
    std::ifstream in(card / name, std::ios::binary);
    const std::string saved{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_EQ(saved.size(), 2048u);
    EXPECT_EQ(saved.substr(0, 6), "Bistro");
    // Qt's temporary folder cannot remove names that are no UTF-8.
    std::filesystem::remove_all(card);
}

// The title the window system shows is the path exactly, "[*]" included.
TEST_F(LinuxNamesTest, TitleShowsAPathWithTheModifiedPlaceholderExactly)
{
    const QString file = path("unit[*]-[*][*].cfg");
    writeRecord(file, sampleRecord());
    form->winId();
    openFromCard(file);
    ASSERT_NE(form->windowHandle(), nullptr);
    EXPECT_EQ(form->windowHandle()->title(), "Currently Editing: " + file);
    form->Button1Click();
    EXPECT_EQ(form->windowHandle()->title(), "Saved: " + file);
}

// The browser stays above the main window; a dialog it opens belongs to it,
// so it is not hidden behind the browser.
TEST_F(LinuxNamesTest, BrowseOpensItsDialogAboveTheBrowser)
{
    showBrowser();
    dialogs.Replies.push_back(std::nullopt);
    click(browser.Button4);
    ASSERT_EQ(dialogs.Owners.size(), 1u);
    EXPECT_EQ(dialogs.Owners[0], &browser);

    clickCheckBox(form->CheckBox5);
    form->Button2Click();
    ASSERT_EQ(dialogs.Owners.size(), 2u);
    EXPECT_EQ(dialogs.Owners[1], form.get());
}

QStringList listedNames(const QFileDialog& dialog)
{
    const auto* view = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    if (view == nullptr)
        return names;
    const QModelIndex root = view->rootIndex();
    for (int row = 0; row < view->model()->rowCount(root); ++row)
        names << view->model()->index(row, 0, root).data().toString();
    return names;
}

TEST_F(LinuxNamesTest, AllFilesListsNamesWithoutADot)
{
    writeRecord(path("unit.cfg"), sampleRecord());
    writeRecord(path("noextension"), sampleRecord());
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    FileDialogRequest request;
    request.Filters = {"Ostra Configuration File (*.cfg)", "All Files (*.*)"};
    request.FileName = path("unit.cfg");
    ConfigureFileDialog(dialog, request);

    const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), "Ostra Configuration File (*.cfg)");
    EXPECT_EQ(types->itemText(1), "All Files (*.*)");
    ASSERT_TRUE(QTest::qWaitFor([&] { return listedNames(dialog).contains("unit.cfg"); }));
    EXPECT_FALSE(listedNames(dialog).contains("noextension"));

    dialog.selectNameFilter(dialog.nameFilters().at(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return listedNames(dialog).contains("noextension"); }));
    EXPECT_TRUE(listedNames(dialog).contains("unit.cfg"));
}

} // namespace
} // namespace ostra::test
