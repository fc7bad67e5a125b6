// The application's default error handler: an error that escapes an event
// handler is shown in a box and the program goes on. This executable makes
// the application object itself, so it has its own main.
#include <stdexcept>

#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "fakes/FakeMessageBoxes.h"
#include "platform/Exception.h"
#include "ui/startup/Application.h"

namespace ostra::test {
namespace {

FakeMessageBoxes* gBoxes = nullptr;

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersSortingAfterIt)
{
    const std::pair<const char*, const char*> cases[] = {
        {"Disk full", "Disk full."},
        {"List index out of bounds (-1)", "List index out of bounds (-1)"},
        {"Done.", "Done."},
        {"Really!", "Really!"},
        {"Code 7", "Code 7."},
        {"", ""},
    };
    for (const auto& [message, shown] : cases)
        EXPECT_EQ(ErrorBoxText(message), shown) << message;
}

TEST(DefaultErrorHandler, ShowsTheEscapedErrorAndTheProgramGoesOn)
{
    gBoxes->Boxes.clear();
    QPushButton button("x");
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] {
        ++clicks;
        if (clicks == 1)
            throw Exception("List index out of bounds (-1)");
        if (clicks == 2)
            throw std::runtime_error("Out of memory");
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 3);
    ASSERT_EQ(gBoxes->Boxes.size(), 2u);
    EXPECT_EQ(gBoxes->Boxes[0].Caption, "Ostra Configuration Utility");
    EXPECT_EQ(gBoxes->Boxes[0].Text, "List index out of bounds (-1)");
    EXPECT_EQ(gBoxes->Boxes[1].Text, "Out of memory.");
}

} // namespace
} // namespace ostra::test

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ostra::TApplication application(argc, argv);
    application.SetTitle("Ostra Configuration Utility");
    ostra::FakeMessageBoxes boxes;
    ostra::test::gBoxes = &boxes;
    application.SetErrorBoxes(&boxes);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
