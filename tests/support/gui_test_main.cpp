// Test entry point for tests that drive widgets or the event loop: one QApplication for the
// whole process, made before any test runs.
#include "tests/support/test_desktop.h"
#include "tests/support/test_locale.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    tallyrun::test::PinTestLocale();
    tallyrun::test::PinTestDesktop();
    // CTest's test discovery runs the executable without the tests' environment; without a
    // display the default platform plugin would abort it. A test that starts its own X server
    // sets the variable itself.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
