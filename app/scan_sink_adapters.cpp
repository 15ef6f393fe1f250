#include "app/scan_sink_adapters.h"

#include "widgets/log_view.h"
#include "widgets/status_progress_bar.h"

namespace tallyrun {

void TProgressBarSink::SetVisible(bool visible)
{
    bar_.setVisible(visible);
}
void TProgressBarSink::SetMin(int value)
{
    bar_.SetMin(value);
}
void TProgressBarSink::SetMax(int value)
{
    bar_.SetMax(value);
}
void TProgressBarSink::SetPosition(int value)
{
    bar_.SetPosition(value);
}
int TProgressBarSink::Position() const
{
    return bar_.Position();
}

void TLogSink::AppendLine(const std::string& line)
{
    view_.AppendLine(line);
}

} // namespace tallyrun
