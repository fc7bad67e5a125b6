// The card file browser's commands: Open (button and double-click) into
// the main window, Refresh, Browse..., and the window itself.
#include <algorithm>

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include "BrowserFixture.h"
#include "ui/side/ReviewChanges.h"

namespace ostra::test {
namespace {

using BrowserCommandsTest = BrowserFixture;

// The description of a file's bytes, without the trailing spaces or NULs.
std::string descriptionOf(const std::vector<unsigned char>& bytes)
{
    std::string text(bytes.begin(), bytes.begin() + std::min<std::size_t>(bytes.size(), 32));
    return text.substr(0, text.find_last_not_of(std::string(" \0", 2)) + 1);
}

struct NamedFile {
    const char* Name;
    const char* Line;
};

// Names that padding, brackets and spaces must not get mixed up with.
const NamedFile kAwkwardNames[] = {
    {"my cfg.cfg", "[   my cfg.cfg]   Awkward"},
    {"a]b.cfg", "[      a]b.cfg]   Awkward"},
    {" lead ] x.cfg", "[ lead ] x.cfg]   Awkward"},
};

TEST_F(BrowserCommandsTest, OpenLoadsExactlyTheListedFileAndSaveWritesItBack)
{
    for (const NamedFile& file : kAwkwardNames) {
        SCOPED_TRACE(file.Name);
        const auto card = plugCard('E', "card");
        std::filesystem::remove_all(card);
        std::filesystem::create_directories(card);
        putConfig(card, file.Name, "Awkward");
        // Files that a path rebuilt from the line's text would hit.
        putConfig(card, "mycfg.cfg", "Decoy");
        putConfig(card, "a.cfg", "Decoy");
        showBrowser();
        const int row = static_cast<int>(lines().indexOf(file.Line));
        ASSERT_GE(row, 0) << lines().join('\n').toStdString();

        browser.ListBox1->SetItemIndex(row);
        click(browser.Button2);
        const QString path = pathText(card / file.Name);
        EXPECT_FALSE(browser.isVisible());
        EXPECT_EQ(form->windowTitle(), "Currently Editing: " + path);
        EXPECT_EQ(form->CurrentFilePath, path.toStdString());
        EXPECT_EQ(form->Edit1->text().left(7), "Awkward");
        EXPECT_TRUE(boxes.Boxes.empty());

        // Plain Save goes back to the same file on the card.
        form->Edit1->selectAll();
        typeText(form->Edit1, "Changed");
        form->Button1Click();
        EXPECT_EQ(form->windowTitle(), "Saved: " + path);
        EXPECT_EQ(descriptionOf(readFile(path)), "Changed");
        EXPECT_EQ(descriptionOf(readFile(pathText(card / "mycfg.cfg"))), "Decoy");
        EXPECT_EQ(descriptionOf(readFile(pathText(card / "a.cfg"))), "Decoy");
    }
}

TEST_F(BrowserCommandsTest, OpenWithNoLineSelectedDoesNothingAtAll)
{
    showBrowser();
    ASSERT_EQ(browser.ListBox1->count(), 0);
    form->CurrentFilePath = "/earlier.cfg";
    doubleClickEmptyArea();
    click(browser.Button2);
    browser.Button2Click();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(form->CurrentFilePath, "/earlier.cfg");
    EXPECT_EQ(form->windowTitle(), "Ostra Configuration Utility");
}

TEST_F(BrowserCommandsTest, OpeningAFileGoneSinceTheListingChangesNothing)
{
    const auto card = plugCard('E', "card");
    putConfig(card, "gone.cfg", "Gone");
    showBrowser();
    std::filesystem::remove(card / "gone.cfg");
    form->CurrentFilePath = "/earlier.cfg";
    doubleClickRow(0);
    EXPECT_EQ(form->windowTitle(), "Ostra Configuration Utility");
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes.back().Text, "File not found");
    EXPECT_EQ(form->CurrentFilePath, "/earlier.cfg");
}

TEST_F(BrowserCommandsTest, RefreshScansAgainAndSelectsTheFirstDrive)
{
    putConfig(plugCard('E', "e"), "e.cfg", "On E");
    putConfig(plugCard('F', "f"), "f.cfg", "On F");
    showBrowser();
    ASSERT_EQ(browser.ComboBox1->currentText(), "E");

    // The user picks F with the keyboard.
    QTest::keyClick(browser.ComboBox1, Qt::Key_Down);
    EXPECT_EQ(browser.ComboBox1->currentText(), "F");
    EXPECT_EQ(lines(), QStringList{"[        f.cfg]   On F"});

    putConfig(plugCard('D', "d"), "d.cfg", "On D");
    click(browser.Button3);
    EXPECT_EQ(drives.RescanCount, 2);
    EXPECT_EQ(driveLetters(), (QStringList{"D", "E", "F"}));
    EXPECT_EQ(browser.ComboBox1->currentText(), "D");
    EXPECT_EQ(lines(), QStringList{"[        d.cfg]   On D"});

    click(browser.Button3);
    EXPECT_EQ(browser.ComboBox1->currentText(), "D");
}

TEST_F(BrowserCommandsTest, BrowseRunsAdvancedLoadThenHides)
{
    showBrowser();
    const QString chosen = path("elsewhere.cfg");
    TConfigRecord record{};
    putText(record, 0, "From elsewhere");
    writeRecord(chosen, record);
    dialogs.Replies.push_back(chosen);
    click(browser.Button4);
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(dialogs.Requests.size(), 1u);
    EXPECT_EQ(form->CurrentFilePath, chosen.toStdString());
    EXPECT_EQ(form->windowTitle(), "Currently Editing: " + chosen);

    showBrowser();
    click(browser.Button4);
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(dialogs.Requests.size(), 2u);
    EXPECT_EQ(form->CurrentFilePath, chosen.toStdString());
}

TEST_F(BrowserCommandsTest, WindowIsTopmostAndGrowsWithItsListButNeverShrinks)
{
    EXPECT_TRUE(browser.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(browser.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QSize design = browser.size();
    EXPECT_EQ(browser.minimumSize(), design);

    showBrowser();
    browser.resize(design + QSize(100, 50));
    EXPECT_EQ(browser.ListBox1->geometry(), QRect(4, 4, 533, 303));
    EXPECT_EQ(browser.ComboBox1->geometry(), QRect(45, 318, 65, 21));
    EXPECT_EQ(browser.Button1->geometry(), QRect(461, 318, 75, 25));
    EXPECT_EQ(browser.Button4->geometry(), QRect(220, 318, 75, 25));
    browser.resize(design - QSize(100, 50));
    EXPECT_EQ(browser.size(), design);
}

// Keys in the browser: Enter in the list opens the selected line as a
// double-click does, Enter on a focused button clicks it, Escape closes.
TEST_F(BrowserCommandsTest, EnterOpensOrClicksAndEscapeCloses)
{
    const auto card = plugCard('E', "card");
    putConfig(card, "hall.cfg", "Hall");
    showBrowser();
    browser.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&browser));

    putConfig(card, "den.cfg", "Den");
    browser.Button3->setFocus();
    QTest::keyClick(browser.Button3, Qt::Key_Return);
    EXPECT_EQ(lines().size(), 2) << "Enter on Refresh lists again";

    QTest::keyClick(&browser, Qt::Key_Escape);
    EXPECT_FALSE(browser.isVisible());

    showBrowser();
    browser.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&browser));
    const QStringList listed = lines();
    const auto hall = std::find_if(listed.begin(), listed.end(), [](const QString& line) { return line.contains("hall.cfg"); });
    ASSERT_NE(hall, listed.end());
    browser.ListBox1->SetItemIndex(static_cast<int>(hall - listed.begin()));
    browser.ListBox1->setFocus();
    QTest::keyClick(browser.ListBox1, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(form->CurrentFilePath, (card / "hall.cfg").string());
}

// One file dialog and one error box, both above the browser: opened from
// it, they would otherwise stay hidden behind the topmost browser.
void expectDialogAndErrorAboveTheBrowser(const FakeFileDialogs& dialogs, const FakeMessageBoxes& boxes,
                                         const QWidget& browser, const char* message)
{
    ASSERT_EQ(dialogs.Owners.size(), 1u);
    EXPECT_EQ(dialogs.Owners.back(), &browser);
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes.back().Text, message);
    EXPECT_EQ(boxes.Boxes.back().Owner, &browser);
}

// Browse... runs while the browser stays on top of the main window: its
// dialog and the error box of a failed open both belong to the browser,
// or the box would stay hidden behind it.
TEST_F(BrowserCommandsTest, BrowseShowsItsDialogAndErrorsAboveTheBrowser)
{
    showBrowser();
    writeFile(path("short.cfg"), {1, 2, 3});
    dialogs.Replies.push_back(path("short.cfg"));
    click(browser.Button4);
    expectDialogAndErrorAboveTheBrowser(dialogs, boxes, browser, "Read beyond end of file");
}

// Opening a line over unsaved edits asks above the browser; Cancel keeps
// the browser and the edits; Save runs its dialog and error box above the
// browser too, and a failed save keeps both; Review shows the changes in a
// window of the browser's, which the window manager keeps above it, and
// opens nothing; Discard opens the line.
TEST_F(BrowserCommandsTest, OpeningALineOverUnsavedEditsAsksAboveTheBrowser)
{
    const auto card = plugCard('E', "card");
    putConfig(card, "hall.cfg", "Hall");
    typeText(form->Edit1, "Typed");
    showBrowser();
    boxes.Answers = {SaveChoice::Cancel, SaveChoice::Save, SaveChoice::Review, SaveChoice::Discard};
    click(browser.Button2);
    ASSERT_EQ(boxes.Questions.size(), 1u);
    EXPECT_EQ(boxes.Questions.back().Owner, &browser);
    EXPECT_TRUE(browser.isVisible());
    EXPECT_TRUE(form->Edit1->text().startsWith("Typed"));

    dialogs.Replies.push_back(path("no-such-folder/unit.cfg"));
    click(browser.Button2);
    expectDialogAndErrorAboveTheBrowser(dialogs, boxes, browser, "Invalid filename");
    EXPECT_TRUE(browser.isVisible());

    click(browser.Button2);
    ASSERT_NE(form->Review(), nullptr);
    EXPECT_TRUE(form->Review()->isVisible());
    ASSERT_NE(form->Review()->windowHandle(), nullptr);
    EXPECT_EQ(form->Review()->windowHandle()->transientParent(), browser.windowHandle());
    EXPECT_TRUE(browser.isVisible());
    EXPECT_TRUE(form->CurrentFilePath.empty());

    click(browser.Button2);
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(form->CurrentFilePath, (card / "hall.cfg").string());
}

} // namespace
} // namespace ostra::test
