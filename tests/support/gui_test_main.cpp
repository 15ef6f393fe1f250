// Test entry point for tests that drive widgets or the event loop: one QApplication for the
// whole process, made before any test runs.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // CTest's test listing runs without the tests' environment: default to offscreen there too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
