// Start-up as the program runs it, on fake drives. EditorWindows starts
// the GIF library itself, so this executable has no library environment.
#include <fstream>
#include <memory>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "config/ConfigLayout.h"
#include "fakes/FakeRemovableDrives.h"
#include "support/TempFolder.h"
#include "ui/startup/EditorWindows.h"
#include "ui/widgets/ListBox.h"

namespace ostra::test {
namespace {

TEST(Startup, MainWindowComesUpWithoutTheDrivesAndTheBrowserListsTheCardWhenAskedFor)
{
    TempFolder card;
    std::ofstream(card.path() / "HALL.CFG", std::ios::binary) << std::string("Hall").append(layout::kRecordSize - 4, '\0');
    FakeRemovableDrives* drives = nullptr;
    EditorWindows windows([&] {
        auto made = std::make_unique<FakeRemovableDrives>();
        made->plugIn('E', card.path());
        drives = made.get();
        return made;
    });
    windows.Show();
    EXPECT_TRUE(QApplication::windowIcon().isNull());
    // The icon comes once the main window is drawn, the last of start-up.
    ASSERT_TRUE(QTest::qWaitFor([] { return !QApplication::windowIcon().isNull(); }));
    EXPECT_EQ(drives, nullptr);

    QTest::mouseClick(windows.Form1.Button2, Qt::LeftButton);
    ASSERT_NE(drives, nullptr);
    EXPECT_EQ(drives->RescanCount, 1);
    const TForm2& browser = windows.CardBrowser();
    EXPECT_TRUE(browser.isVisible());
    ASSERT_EQ(browser.ListBox1->count(), 1);
    EXPECT_EQ(browser.ListBox1->item(0)->text(), "[     HALL.CFG]   Hall");
}

} // namespace
} // namespace ostra::test
