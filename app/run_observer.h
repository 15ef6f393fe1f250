// Who wants to know when the main window's analysis runs start and end: the soak probe, when
// the environment asks for it. The window calls it on the UI thread; a null observer costs one
// test per run.
#pragma once

#include <string>

namespace tallyrun {

class TRunObserver
{
public:
    virtual ~TRunObserver() = default;
    // `path` is the selected folder as the run's first log line names it (raw bytes).
    virtual void RunStarted(const std::string& path) = 0;
    // Called after the run's clean-up; `stopped` tells whether the stop command ended it.
    virtual void RunFinished(bool stopped) = 0;
};

} // namespace tallyrun
