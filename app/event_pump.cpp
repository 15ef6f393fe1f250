#include "app/event_pump.h"

#include "scan/pump_events.h"

#include <QCoreApplication>

namespace tallyrun {

namespace {

struct TPumpState
{
    std::chrono::microseconds minInterval{1000};
    std::chrono::steady_clock::time_point lastDispatch{};
    bool dispatched = false;
    bool dispatching = false;
};

TPumpState& State()
{
    static TPumpState state;
    return state;
}

} // namespace

void InstallEventPump(std::chrono::microseconds minInterval)
{
    State().minInterval = minInterval;
    State().dispatched = false;
    SetPumpEventsHook(&PumpQtEvents);
}

void PumpQtEvents()
{
    TPumpState& s = State();
    if (s.dispatching)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (s.dispatched && now - s.lastDispatch < s.minInterval)
        return;
    s.dispatching = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    s.dispatching = false;
    s.dispatched = true;
    s.lastDispatch = std::chrono::steady_clock::now();
}

} // namespace tallyrun
