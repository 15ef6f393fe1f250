// Test entry point for tests that drive widgets or the event loop: one QApplication for the
// whole process, made before any test runs.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
