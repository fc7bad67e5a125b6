// GoogleTest entry point for tests that drive real widgets: one
// QApplication for the whole run, on whatever platform the environment
// names (the offscreen one under ctest).
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
