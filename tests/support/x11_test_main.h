// The tests that need a real X server share one main() (x11_test_main.cpp): it starts a private
// Xvfb before the QApplication exists and points Qt at it (QT_QPA_PLATFORM=xcb, DISPLAY).
#pragma once

#include <string>

namespace tallyrun::test {

// Why the X tests cannot run (no Xvfb, or only listing the tests); empty when they can.
const std::string& NoXReason();

} // namespace tallyrun::test
