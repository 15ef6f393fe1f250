// The tests that need a desktop session of their own share one main() (session_test_main.cpp):
// before the QApplication exists it starts a private session bus and, for the Wayland tests,
// a headless weston, and points Qt at them (DBUS_SESSION_BUS_ADDRESS; QT_QPA_PLATFORM=wayland,
// WAYLAND_DISPLAY, XDG_RUNTIME_DIR). Without Wayland the tests run on the offscreen platform.
#pragma once

#include <string>

namespace tallyrun::test {

// Why the session tests cannot run (no dbus-daemon or weston, or only listing the tests);
// empty when they can.
const std::string& NoSessionReason();
// The private bus's address, for the fake portal's own connection.
const std::string& SessionBusAddress();

} // namespace tallyrun::test
