// The tests that need a real X server share one main() (x11_test_main.cpp): it starts a private
// Xvfb before the QApplication exists and points Qt at it (QT_QPA_PLATFORM=xcb, DISPLAY).
#pragma once

#include <string>

namespace tallyrun::test {

// Why the X tests cannot run (no Xvfb, or only listing the tests); empty when they can.
const std::string& NoXReason();

// Why the X tests that press keys or move the pointer with xdotool cannot run: NoXReason(),
// or that xdotool is missing; empty when they can.
std::string NoXdotoolReason();

} // namespace tallyrun::test
