// A progress bar that places itself over one panel of a TStatusBar. Its range and position
// behave like a native progress control: the position is held within Min..Max, and a maximum
// below the minimum is refused. Changes are drawn at the next event dispatch, never
// synchronously, and at most every 30 ms, so a caller may move it once per file at no real
// cost.
#pragma once

#include <QElapsedTimer>
#include <QProgressBar>
#include <QTimer>

namespace tallyrun {

class TStatusBar;

class TStatusProgressBar : public QProgressBar
{
    Q_OBJECT

public:
    explicit TStatusProgressBar(QWidget* parent = nullptr);

    TStatusBar* StatusBar() const { return statusBar_; }
    // Outside form reading, also resets PanelIndex to 0 and lays the bar out over panel 0.
    void SetStatusBar(TStatusBar* statusBar);
    int PanelIndex() const { return panelIndex_; }
    // Lays the bar out over the panel again, even when the number is unchanged.
    void SetPanelIndex(int index);

    // While set, SetStatusBar keeps the current PanelIndex, as when the window's stored
    // settings are applied in order: StatusBar, then PanelIndex.
    void SetFormReading(bool reading) { formReading_ = reading; }

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    // Raise std::invalid_argument when the range would end below its start.
    void SetMin(int value);
    void SetMax(int value);
    void SetPosition(int value);

private:
    void LayOut(TStatusBar* statusBar, int index);
    void ScheduleSync();
    void Sync();

    TStatusBar* statusBar_ = nullptr;
    int panelIndex_ = 0;
    bool formReading_ = false;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    QTimer syncTimer_;
    QElapsedTimer lastSync_; // invalid until the first change is drawn
};

} // namespace tallyrun
