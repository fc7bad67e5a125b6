// The application icon: the pictures kept in resources/icons are exactly
// what the logo tool draws (so nobody edits one without the other), the
// running application carries each of them, and the desktop finds its
// entry by the name the application gives. This executable makes the
// application object itself, so it has its own main.
#include <QDir>
#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

#include "IconArtwork.h"
#include "ui/Application.h"

namespace ostra::test {
namespace {

QImage committedIcon(int size)
{
    const QString path = QDir(QStringLiteral(OSTRA_ICON_FOLDER)).filePath(QStringLiteral("%1x%1.png").arg(size));
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

// The first pixel where two pictures of the same size differ, for the
// failure message; "none" when they are equal.
QString firstDifference(const QImage& expected, const QImage& actual)
{
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (expected.pixel(x, y) != actual.pixel(x, y))
                return QStringLiteral("(%1, %2): %3 against %4")
                    .arg(x)
                    .arg(y)
                    .arg(expected.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(actual.pixel(x, y), 8, 16, QLatin1Char('0'));
    return QStringLiteral("none");
}

TEST(ApplicationIcon, CommittedPicturesAreWhatTheLogoToolDraws)
{
    for (int size : logo::kIconSizes) {
        SCOPED_TRACE(size);
        const QImage committed = committedIcon(size);
        ASSERT_EQ(committed.size(), QSize(size, size)) << "run tools/make-logo/make-logo";
        const QImage drawn = logo::DrawIcon(size).convertToFormat(QImage::Format_ARGB32);
        EXPECT_TRUE(committed == drawn) << "first difference at " << qPrintable(firstDifference(drawn, committed))
                                        << "; run tools/make-logo/make-logo";
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
    const QIcon icon = QApplication::windowIcon();
    const QList<QSize> available = icon.availableSizes();
    for (int size : logo::kIconSizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(available.contains(QSize(size, size)));
        const QImage shown = icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32);
        const QImage committed = committedIcon(size);
        EXPECT_TRUE(shown == committed) << "first difference at " << qPrintable(firstDifference(committed, shown));
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
