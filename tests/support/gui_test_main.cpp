// Test entry point for tests that drive widgets or the event loop: one QApplication for the
// whole process, made before any test runs.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // CTest lists the tests by running the executable without the test environment; without
    // a display that listing would abort, so the offscreen platform is the default here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
