// The event pump the scanner and the analysis run call between files and subfolders: lets Qt
// dispatch the events already queued for the UI thread.
#pragma once

#include <chrono>

namespace tallyrun {

// Installs the pump as the scanner's PumpEvents hook. A call within `minInterval` of the
// previous dispatch returns at once: a dispatch costs microseconds and the run calls it once
// per file, while input only needs to be answered within tens of milliseconds. Tests that
// deliver an event at an exact point of a run pass zero.
void InstallEventPump(std::chrono::microseconds minInterval = std::chrono::milliseconds(1));

// One dispatch of the queued events, subject to the interval above. A call from inside a
// handler that the pump is running returns at once.
void PumpQtEvents();

} // namespace tallyrun
