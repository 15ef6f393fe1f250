// The main window's widgets as the progress bar and log that the folder totals report into.
#pragma once

#include "scan/scan_sinks.h"

namespace tallyrun {

class TStatusProgressBar;
class TLogView;

class TProgressBarSink : public TScanProgressBar
{
public:
    explicit TProgressBarSink(TStatusProgressBar& bar) : bar_(bar) {}
    void SetVisible(bool visible) override;
    void SetMin(int value) override;
    void SetMax(int value) override;
    void SetPosition(int value) override;
    int Position() const override;

private:
    TStatusProgressBar& bar_;
};

class TLogSink : public TScanLog
{
public:
    explicit TLogSink(TLogView& view) : view_(view) {}
    void AppendLine(const std::string& line) override;

private:
    TLogView& view_;
};

} // namespace tallyrun
