// GoogleTest entry point for tests that drive real widgets: one
// QApplication for the whole run, on whatever platform the environment
// names (the offscreen one under ctest).
#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    // Without a platform named, run headless rather than fail for want of a display.
    setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
