// Start-up as the program runs it, on fake drives: the main window comes
// up without the card browser, its drives or the application icon, and
// each of them is there when it is asked for. EditorWindows starts the GIF
// library itself, so this executable has no library environment.
#include <fstream>
#include <memory>
#include <string>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "config/ConfigLayout.h"
#include "fakes/FakeRemovableDrives.h"
#include "support/TempFolder.h"
#include "ui/Application.h"
#include "ui/EditorWindows.h"
#include "ui/ListBox.h"
#include "ui/SingleByteEdit.h"

namespace ostra::test {
namespace {

// A card in a scratch folder with one configuration file, "HALL.CFG",
// described "Hall", handed out as drive E whenever the editor asks for
// its drives.
class StartupTest : public ::testing::Test {
protected:
    StartupTest()
    {
        std::string record(layout::kRecordSize, '\0');
        record.replace(0, 4, "Hall");
        std::ofstream(card.path() / "HALL.CFG", std::ios::binary) << record;
    }

    EditorWindows::DriveSource driveSource()
    {
        return [this] {
            ++drivesMade;
            auto drives = std::make_unique<FakeRemovableDrives>();
            drives->plugIn('E', card.path());
            lastDrives = drives.get();
            return drives;
        };
    }

    static bool iconIsSet() { return !QApplication::windowIcon().isNull(); }

    static bool browserExists()
    {
        for (const QWidget* window : QApplication::topLevelWidgets())
            if (window->objectName() == QLatin1String("Form2"))
                return true;
        return false;
    }

    TempFolder card;
    int drivesMade = 0;
    FakeRemovableDrives* lastDrives = nullptr;
};

TEST_F(StartupTest, DrivesAreFirstReadWhenTheBrowserIsAskedForAndItListsTheCard)
{
    EditorWindows windows(driveSource());
    windows.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&windows.Form1));
    // Once the icon is set, start-up has done all it defers past the
    // first paint.
    ASSERT_TRUE(QTest::qWaitFor(iconIsSet));
    EXPECT_EQ(drivesMade, 0);
    EXPECT_FALSE(browserExists());

    QTest::mouseClick(windows.Form1.Button2, Qt::LeftButton);
    ASSERT_EQ(drivesMade, 1);
    TForm2& browser = windows.CardBrowser();
    ASSERT_TRUE(browser.isVisible());
    EXPECT_EQ(lastDrives->RescanCount, 1);
    ASSERT_EQ(browser.ListBox1->count(), 1);
    EXPECT_EQ(browser.ListBox1->item(0)->text(), "[     HALL.CFG]   Hall");

    // The browser opens the file in the main window, and is the same
    // window, scanning afresh, when asked for again.
    QTest::keyClick(browser.ListBox1, Qt::Key_Return);
    EXPECT_FALSE(browser.isVisible());
    EXPECT_EQ(windows.Form1.Edit1->text(), "Hall");
    QTest::mouseClick(windows.Form1.Button2, Qt::LeftButton);
    EXPECT_EQ(&windows.CardBrowser(), &browser);
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(drivesMade, 1);
    EXPECT_EQ(lastDrives->RescanCount, 2);
}

TEST_F(StartupTest, ApplicationIconIsSetOnceTheMainWindowIsDrawn)
{
    QApplication::setWindowIcon(QIcon());
    EditorWindows windows(driveSource());
    windows.Show();
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    ASSERT_TRUE(QTest::qWaitFor(iconIsSet));
    EXPECT_EQ(QApplication::windowIcon().availableSizes(), ApplicationIcon().availableSizes());
    EXPECT_EQ(windows.Form1.windowIcon().availableSizes(), ApplicationIcon().availableSizes());
}

} // namespace
} // namespace ostra::test
