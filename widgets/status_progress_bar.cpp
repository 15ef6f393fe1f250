#include "widgets/status_progress_bar.h"

#include "base/handler_errors.h"
#include "base/list_index_error.h"
#include "widgets/panel_status_bar.h"

#include <algorithm>
#include <stdexcept>

namespace tallyrun {

namespace {

// A run moves the bar once per file and lets events run every millisecond; drawing it each
// time cost a tenth of the UI thread's time in a large run (and as much again of the display
// server's). The screen shows no more than this anyway.
constexpr qint64 kMinSyncIntervalMs = 30;

} // namespace

TStatusProgressBar::TStatusProgressBar(QWidget* parent) : QProgressBar(parent)
{
    setTextVisible(false);
    syncTimer_.setSingleShot(true);
    connect(&syncTimer_, &QTimer::timeout, this, [this] {
        RunHandler([this] {
            lastSync_.start();
            Sync();
        });
    });
    Sync();
}

void TStatusProgressBar::SetStatusBar(TStatusBar* statusBar)
{
    if (statusBar == statusBar_)
        return;
    const int index = formReading_ ? panelIndex_ : 0;
    LayOut(statusBar, index);
    statusBar_ = statusBar;
    panelIndex_ = index;
}

void TStatusProgressBar::SetPanelIndex(int index)
{
    LayOut(statusBar_, index);
    panelIndex_ = index;
}

void TStatusProgressBar::LayOut(TStatusBar* statusBar, int index)
{
    const bool shown = !isHidden();
    if (!statusBar) {
        // Back onto the window that holds the bar; place and size stay.
        QWidget* holder = parentWidget() ? parentWidget()->window() : nullptr;
        if (holder && holder != parentWidget()) {
            const QRect keep = geometry();
            setParent(holder);
            setGeometry(keep);
            setVisible(shown);
        }
        return;
    }
    CheckListIndex(index, statusBar->PanelCount());
    if (parentWidget() != statusBar) {
        setParent(statusBar);
        setVisible(shown);
    }
    const int left = statusBar->PanelLeft(index);
    const bool last = index == statusBar->PanelCount() - 1;
    const int width =
        last ? statusBar->width() - left : statusBar->PanelWidth(index) - (index == 0 ? 0 : 2);
    setGeometry(left, 2, width, statusBar->height() - 2);
}

void TStatusProgressBar::SetMin(int value)
{
    if (value > max_)
        throw std::invalid_argument("progress range ends below its start");
    min_ = value;
    position_ = std::clamp(position_, min_, max_);
    ScheduleSync();
}

void TStatusProgressBar::SetMax(int value)
{
    if (value < min_)
        throw std::invalid_argument("progress range ends below its start");
    max_ = value;
    position_ = std::clamp(position_, min_, max_);
    ScheduleSync();
}

void TStatusProgressBar::SetPosition(int value)
{
    const int clamped = std::clamp(value, min_, max_);
    if (clamped == position_)
        return;
    position_ = clamped;
    ScheduleSync();
}

void TStatusProgressBar::ScheduleSync()
{
    if (syncTimer_.isActive())
        return;
    // At the next dispatch, unless the last change was drawn less than the interval ago.
    const qint64 since = lastSync_.isValid() ? lastSync_.elapsed() : kMinSyncIntervalMs;
    syncTimer_.start(static_cast<int>(std::max<qint64>(0, kMinSyncIntervalMs - since)));
}

// Hands the range and position to the base progress bar. An empty range is shown as an empty
// bar (the base bar would show a busy animation for it).
void TStatusProgressBar::Sync()
{
    // The base bar would repaint synchronously on a visible change; one update is enough.
    setUpdatesEnabled(false);
    if (max_ > min_) {
        setRange(min_, max_);
        setValue(position_);
    } else {
        setRange(0, 1);
        setValue(0);
    }
    setUpdatesEnabled(true);
}

} // namespace tallyrun
