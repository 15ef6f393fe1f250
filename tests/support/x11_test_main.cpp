#include "tests/support/x11_test_main.h"

#include "tests/support/test_desktop.h"
#include "tests/support/test_locale.h"
#include "tests/support/xvfb_server.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace tallyrun::test {

namespace {

std::string& Reason()
{
    static std::string reason;
    return reason;
}

} // namespace

const std::string& NoXReason()
{
    return Reason();
}

std::string NoXdotoolReason()
{
    if (!NoXReason().empty())
        return NoXReason();
    if (!ProgramInstalled("xdotool"))
        return "xdotool is not installed";
    return {};
}

} // namespace tallyrun::test

int main(int argc, char** argv)
{
    tallyrun::test::PinTestLocale();
    tallyrun::test::PinTestDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    // The server lives longer than the application, whose X connection closes first.
    std::unique_ptr<tallyrun::test::TXvfbServer> server;
    if (!::testing::GTEST_FLAG(list_tests))
        server = std::make_unique<tallyrun::test::TXvfbServer>();
    if (server && server->Running()) {
        setenv("DISPLAY", server->Display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        tallyrun::test::Reason() = server ? server->Failure() : "listing only";
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
