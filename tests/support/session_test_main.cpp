#include "tests/support/session_test_main.h"

#include "tests/support/session_servers.h"
#include "tests/support/test_desktop.h"
#include "tests/support/test_locale.h"

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

std::string& Address()
{
    static std::string address;
    return address;
}

} // namespace

const std::string& NoSessionReason()
{
    return Reason();
}

const std::string& SessionBusAddress()
{
    return Address();
}

} // namespace tallyrun::test

int main(int argc, char** argv)
{
    using namespace tallyrun::test;
    PinTestLocale();
    PinTestDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The servers live longer than the application, whose connections close first.
    std::unique_ptr<TSessionBus> bus;
    std::unique_ptr<TWestonServer> weston;
    if (::testing::GTEST_FLAG(list_tests)) {
        Reason() = "listing only";
    } else {
        bus = std::make_unique<TSessionBus>();
        if (!bus->Running())
            Reason() = bus->Failure();
#if TALLYRUN_TEST_WAYLAND
        weston = std::make_unique<TWestonServer>();
        if (!weston->Running() && Reason().empty())
            Reason() = weston->Failure();
#endif
    }
    if (Reason().empty()) {
        Address() = bus->Address();
        ::setenv("DBUS_SESSION_BUS_ADDRESS", Address().c_str(), 1);
        if (weston) {
            ::setenv("XDG_RUNTIME_DIR", weston->RuntimeDir().c_str(), 1);
            ::setenv("WAYLAND_DISPLAY", weston->Display().c_str(), 1);
            ::setenv("QT_QPA_PLATFORM", "wayland", 1);
            ::unsetenv("DISPLAY");
            // A headless weston has no seat, and Qt 6.4's Wayland input method then ends the
            // program when a line edit draws its cursor (it asks the missing keyboard for its
            // text input). The compose input method needs no seat.
            ::setenv("QT_IM_MODULE", "compose", 1);
        }
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
