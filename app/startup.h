// The program's start-up: the splash window shows while the main window, which runs the first
// analysis as it is built, and the two dialogs are created; then the splash goes and the event
// loop runs until the main window is closed. Nothing is read at start or saved at the end.
#pragma once

#include "app/about_dialog.h"
#include "app/break_dialog.h"
#include "app/main_window.h"

#include <functional>
#include <memory>

namespace tallyrun {

// The windows the program lives with, in the order they are made. They are freed in the
// reverse order, so the dialogs go before the main window they refer to.
struct TProgramWindows
{
    std::unique_ptr<TfrmMain> frmMain;
    std::unique_ptr<TfrmVersion> frmVersion;
    std::unique_ptr<TfrmBreakDialog> frmBreakDialog;
};

// Makes the main window with its folder pane. The pane reports its first selection while it
// is built, which runs the first analysis.
using TMainWindowFactory = std::function<std::unique_ptr<TfrmMain>()>;

// Shows the splash window, lets it be drawn, creates the main window, the about dialog and
// the interrupting dialog, lets pending events run, and frees the splash window. The main
// window is not shown yet.
TProgramWindows CreateProgramWindows(const TMainWindowFactory& createMainWindow,
                                     const TVersionReader& readVersion = GetVersionString);

// The whole program: the application object and the modules, the windows above, then the main
// window shown and the event loop until it ends.
int RunProgram(int argc, char** argv);

} // namespace tallyrun
