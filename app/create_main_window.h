// The main window with the folder tree in its left pane.
#pragma once

#include "app/main_window.h"

#include <memory>

namespace tallyrun {

// Builds the tree and the window and selects the desktop folder, which runs the first
// analysis before this returns.
std::unique_ptr<TfrmMain> CreateMainWindow();

} // namespace tallyrun
