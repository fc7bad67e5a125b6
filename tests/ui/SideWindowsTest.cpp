// The windows beside the editor's: the editor's keys work in each, and Esc
// closes them. (How a screen reader meets them, through AT-SPI on a real
// display, is tests/ui/at-spi's to check.)
#include <QApplication>
#include <QTest>

#include "FormFixture.h"
#include "ui/side/ReviewChanges.h"
#include "ui/side/ZoneOverview.h"

namespace ostra::test {
namespace {

class SideWindowsTest : public FormFixture {
protected:
    void SetUp() override
    {
        TConfigRecord record = sampleRecord();
        putText(record, 0, "Hotel");
        writeRecord(path("x.cfg"), record);
        openFromCard(path("x.cfg"));
        form->show();
        form->ShowZoneOverview();
        form->ShowReviewChanges();
    }

    // Makes window the active one, as a click on it would.
    static void activate(QWidget& window)
    {
        window.show();
        window.raise();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }
};

enum class SideWindow { ZoneOverview, ReviewChanges };

struct KeyCase {
    const char* What;
    Qt::Key Key;
    Qt::KeyboardModifiers Modifiers;
};

const KeyCase kKeys[] = {
    {"Ctrl+S saves the unit", Qt::Key_S, Qt::ControlModifier},
    {"Ctrl+P prints, its boxes above the window", Qt::Key_P, Qt::ControlModifier},
    {"Ctrl+D shows Review Changes", Qt::Key_D, Qt::ControlModifier},
    {"Ctrl+G shows the Zone Overview", Qt::Key_G, Qt::ControlModifier},
    {"F1 shows the help", Qt::Key_F1, Qt::NoModifier},
    {"Esc closes the window", Qt::Key_Escape, Qt::NoModifier},
};

TEST_F(SideWindowsTest, TheEditorsKeysWorkInEveryWindowBesideIt)
{
    for (const SideWindow side : {SideWindow::ZoneOverview, SideWindow::ReviewChanges}) {
        QWidget* window = side == SideWindow::ZoneOverview ? static_cast<QWidget*>(form->Overview())
                                                           : static_cast<QWidget*>(form->Review());
        for (const KeyCase& key : kKeys) {
            SCOPED_TRACE(window->windowTitle().toStdString() + ": " + key.What);
            form->Edit1->SetBytes("Edited");
            form->Button3->setText("Help");
            form->Memo1->hide();
            boxes.Boxes.clear();
            form->Overview()->hide();
            form->Review()->hide();
            ASSERT_NO_FATAL_FAILURE(activate(*window));

            QTest::keyClick(window, key.Key, key.Modifiers);
            switch (key.Key) {
            case Qt::Key_S:
                EXPECT_TRUE(form->windowTitle().startsWith("Saved: ")) << form->windowTitle().toStdString();
                EXPECT_EQ(readFile(path("x.cfg"))[0], 'E');
                break;
            case Qt::Key_P:
                ASSERT_EQ(boxes.Boxes.size(), 1u);
                EXPECT_EQ(boxes.Boxes.front().Owner, window);
                break;
            case Qt::Key_D:
                EXPECT_TRUE(form->Review()->isVisible());
                EXPECT_TRUE(QTest::qWaitForWindowActive(form->Review()));
                break;
            case Qt::Key_G:
                EXPECT_TRUE(form->Overview()->isVisible());
                EXPECT_TRUE(QTest::qWaitForWindowActive(form->Overview()));
                break;
            case Qt::Key_F1:
                EXPECT_TRUE(form->Memo1->isVisible());
                break;
            default:
                EXPECT_FALSE(window->isVisible());
                break;
            }
        }
    }
}

} // namespace
} // namespace ostra::test
