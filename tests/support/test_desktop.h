// Tests see no desktop of the machine they run on: no session bus (so no portal of the user's
// desktop binds keys for them) and no Wayland session. A test that needs them starts its own
// (session_test_main.cpp). Called first thing in main(), before Qt looks.
#pragma once

#include <cstdlib>

namespace tallyrun::test {

inline void PinTestDesktop()
{
    // An address nothing listens on: a connection fails at once, and no bus is started on
    // the test's behalf.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/tallyrun-test-no-bus", 1);
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("XDG_SESSION_TYPE");
}

} // namespace tallyrun::test
