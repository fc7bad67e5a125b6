// The application icon: the pictures kept in resources/icons are exactly
// what the logo tool draws (so nobody edits one without the other), the
// icon the application sets on its windows carries each of them, and the
// desktop finds its entry by the name the application gives. This
// executable makes the application object itself, so it has its own main.
#include <QDir>
#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

#include "IconArtwork.h"
#include "support/PictureCompare.h"
#include "ui/startup/Application.h"

namespace ostra::test {
namespace {

QImage committedIcon(int size)
{
    const QString path = QDir(QStringLiteral(OSTRA_ICON_FOLDER)).filePath(QStringLiteral("%1x%1.png").arg(size));
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

TEST(ApplicationIcon, CommittedPicturesAreWhatTheLogoToolDraws)
{
    for (int size : logo::kIconSizes) {
        SCOPED_TRACE(size);
        const QImage committed = committedIcon(size);
        ASSERT_EQ(committed.size(), QSize(size, size)) << "run tools/make-logo/make-logo";
        const auto difference = pictureDifference(committed, logo::DrawIcon(size));
        EXPECT_FALSE(difference) << *difference << "; run tools/make-logo/make-logo";
    }
}

TEST(ApplicationIcon, PlateIsOpaqueInsideAndClearBeyondItsRoundedCorners)
{
    for (int size : logo::kIconSizes) {
        SCOPED_TRACE(size);
        const QImage icon = logo::DrawIcon(size);
        const int last = size - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << "," << corner.y();
        for (const QPoint inside : {QPoint(size / 2, size / 2), QPoint(size / 2, 1), QPoint(1, size / 2),
                                    QPoint(size / 2, last - 1), QPoint(last - 1, size / 2)})
            EXPECT_EQ(qAlpha(icon.pixel(inside)), 255) << inside.x() << "," << inside.y();
    }
}

TEST(ApplicationIcon, WindowsShowTheCommittedPictureAtEverySize)
{
    const QIcon icon = ApplicationIcon();
    const QList<QSize> available = icon.availableSizes();
    for (int size : logo::kIconSizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(available.contains(QSize(size, size)));
        const auto difference = pictureDifference(committedIcon(size), icon.pixmap(QSize(size, size)).toImage());
        EXPECT_FALSE(difference) << *difference;
    }
}

// The comparison the tests above rely on, on a committed icon with one
// pixel changed: a unit of rounding passes, a real change of three units
// or of a pixel's full coverage fails.
struct PixelChange {
    const char* Name;
    int MinAlpha; // the changed pixel is the first whose alpha lies in
    int MaxAlpha; // [MinAlpha, MaxAlpha] and whose colours can move by 3
    int Alpha, Red, Green, Blue;
    bool Alike;
};

const PixelChange kPixelChanges[] = {
    {"red +1 on an opaque pixel", 255, 255, 0, 1, 0, 0, true},
    {"green -1 on an opaque pixel", 255, 255, 0, 0, -1, 0, true},
    {"blue +1 on a partly covered pixel", 3, 252, 0, 0, 0, 1, true},
    {"alpha -1 on a partly covered pixel", 3, 252, -1, 0, 0, 0, true},
    {"red +3 on an opaque pixel", 255, 255, 0, 3, 0, 0, false},
    {"green -3 on an opaque pixel", 255, 255, 0, 0, -3, 0, false},
    {"blue +3 on an opaque pixel", 255, 255, 0, 0, 0, 3, false},
    {"alpha +3 on a partly covered pixel", 3, 252, 3, 0, 0, 0, false},
    {"an opaque pixel made barely see-through", 255, 255, -1, 0, 0, 0, false},
    {"a clear pixel made barely visible", 0, 0, 1, 0, 0, 0, false},
};

bool canMove(QRgb pixel, int minAlpha, int maxAlpha)
{
    const auto within = [](int channel) { return channel >= 3 && channel <= 252; };
    if (qAlpha(pixel) < minAlpha || qAlpha(pixel) > maxAlpha)
        return false;
    return maxAlpha == 0 || (within(qRed(pixel)) && within(qGreen(pixel)) && within(qBlue(pixel)));
}

TEST(ApplicationIcon, PictureComparisonPassesRoundingAndCatchesARealChange)
{
    const QImage committed = committedIcon(24);
    ASSERT_FALSE(committed.isNull());
    for (const PixelChange& change : kPixelChanges) {
        SCOPED_TRACE(change.Name);
        QImage changed = committed.copy();
        QPoint at(-1, -1);
        for (int y = 0; y < changed.height() && at.x() < 0; ++y)
            for (int x = 0; x < changed.width() && at.x() < 0; ++x)
                if (canMove(changed.pixel(x, y), change.MinAlpha, change.MaxAlpha))
                    at = QPoint(x, y);
        ASSERT_GE(at.x(), 0) << "the icon has no such pixel";
        const QRgb was = changed.pixel(at);
        changed.setPixel(at, qRgba(qRed(was) + change.Red, qGreen(was) + change.Green, qBlue(was) + change.Blue,
                                   qAlpha(was) + change.Alpha));
        const auto difference = pictureDifference(committed, changed);
        EXPECT_EQ(!difference, change.Alike) << difference.value_or("alike");
        if (difference) {
            const std::string where = "(" + std::to_string(at.x()) + ", " + std::to_string(at.y()) + ")";
            EXPECT_NE(difference->find(where), std::string::npos) << *difference << " should name " << where;
        }
    }
}

TEST(ApplicationIcon, DesktopFindsTheInstalledEntryByTheApplicationsName)
{
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral(OSTRA_APP_ID));
}

} // namespace
} // namespace ostra::test

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ostra::TApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
