// The windows beside the editor on the screens installers use: each
// window's frame lies wholly within the screen's free area, buttons
// included, and leaves the editor's zone names and command buttons in
// view; the Zone Overview shows every row and Review Changes its Revert
// column without scrolling.
#include <QScreen>

#include "FormFixture.h"
#include "ui/side/ReviewChanges.h"
#include "ui/widgets/WindowPlacement.h"
#include "ui/side/ZoneOverview.h"

namespace ostra::test {
namespace {

struct Desktop {
    const char* What;
    QRect Free; // the screen less its panels
    QMargins Decorations; // the window manager's frame around a window
};

// GNOME's top bar and title bars, and a bottom panel of a laptop's
// desktop with thin borders.
const Desktop kDesktops[] = {
    {"1280x800, top bar", QRect(0, 32, 1280, 768), QMargins(0, 37, 0, 0)},
    {"1366x768, top bar", QRect(0, 32, 1366, 736), QMargins(0, 37, 0, 0)},
    {"1366x768, bottom panel", QRect(0, 0, 1366, 720), QMargins(1, 30, 1, 1)},
};

enum class Side { ZoneOverview, ReviewChanges };

class WindowPlacementTest : public FormFixture {
protected:
    void SetUp() override
    {
        writeRecord(path("x.cfg"), sampleRecord());
        openFromCard(path("x.cfg"));
        // Every setting changed, so that Review Changes is as full as it gets.
        TConfigRecord other{};
        putText(other, 0, "Another unit entirely, renamed");
        form->ConfigRecord = other;
        form->ConfigToForm();
        form->ShowZoneOverview();
        form->ShowReviewChanges();
    }
};

TEST_F(WindowPlacementTest, EachWindowFitsTheScreenBesideTheEditor)
{
    ASSERT_GT(form->Review()->RowCount(), 20);
    for (const Desktop& desktop : kDesktops) {
        const QSize around(desktop.Decorations.left() + desktop.Decorations.right(),
                           desktop.Decorations.top() + desktop.Decorations.bottom());
        QRect editor(QPoint(), form->size() + around);
        editor.moveCenter(desktop.Free.center());
        const QPoint client = editor.topLeft() + QPoint(desktop.Decorations.left(), desktop.Decorations.top());
        const QRect save(form->Button1->mapTo(form.get(), QPoint()) + client, form->Button1->size());
        const QRect zoneNames(client + QPoint(288, 77), QSize(298, 204));

        for (const Side side : {Side::ZoneOverview, Side::ReviewChanges}) {
            const QSize whole = side == Side::ZoneOverview ? form->Overview()->WholeSize() : form->Review()->WholeSize();
            SCOPED_TRACE(std::string(desktop.What) + (side == Side::ZoneOverview ? ", Zone Overview" : ", Review Changes"));
            const QRect frame = FrameBeside(whole + around, editor, desktop.Free);
            EXPECT_TRUE(desktop.Free.contains(frame));
            EXPECT_FALSE(frame.intersects(save)) << "covers Save";
            EXPECT_FALSE(frame.intersects(zoneNames)) << "covers the zone names";
            // Every column of the review, Revert included; the overview's
            // every row on the commonest screen.
            EXPECT_EQ(frame.width(), whole.width() + around.width());
            if (side == Side::ZoneOverview && desktop.Free.height() == 768) {
                EXPECT_EQ(frame.height(), whole.height() + around.height()) << "the grid scrolls";
            }
        }
    }
}

} // namespace
} // namespace ostra::test
