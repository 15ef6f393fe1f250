// What the folder totals need of the progress bar and the log memo they report into. The
// main window implements both over its widgets; tests use small fakes.
#pragma once

#include <string>

namespace tallyrun {

class TScanProgressBar
{
public:
    virtual ~TScanProgressBar() = default;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetMin(int value) = 0;
    virtual void SetMax(int value) = 0;
    // Held within Min..Max by the bar itself, as a progress control does.
    virtual void SetPosition(int value) = 0;
    virtual int Position() const = 0;
};

class TScanLog
{
public:
    virtual ~TScanLog() = default;
    // One line of the log, without its line ending.
    virtual void AppendLine(const std::string& line) = 0;
};

} // namespace tallyrun
