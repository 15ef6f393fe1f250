#include "scan/pump_events.h"

#include <atomic>

namespace tallyrun {

namespace {

// Installed once by the application before any run; read on the UI thread.
std::atomic<TPumpEventsHook> pumpHook{nullptr};

} // namespace

// Kept to one call: any throttling (skipping the dispatcher when it ran under a millisecond
// ago) belongs in the hook the application installs, which knows its event loop.
void PumpEvents()
{
    if (const TPumpEventsHook hook = pumpHook.load(std::memory_order_relaxed))
        hook();
}

void SetPumpEventsHook(TPumpEventsHook hook)
{
    pumpHook.store(hook, std::memory_order_relaxed);
}

} // namespace tallyrun
