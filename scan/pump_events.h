// Lets the scanner's long loops on the UI thread keep the window alive: they call PumpEvents
// between steps, and the application installs the hook that dispatches the events already
// queued for that thread. The scanner itself knows no event loop, so without a hook the call
// does nothing (as in tests and on worker threads).
#pragma once

namespace tallyrun {

// Lets the UI thread dispatch the events already queued for it, through the hook the
// application installs. Without a hook it does nothing.
void PumpEvents();
using TPumpEventsHook = void (*)();
void SetPumpEventsHook(TPumpEventsHook hook);

} // namespace tallyrun
