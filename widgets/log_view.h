// A read-only, append-only log view for very long logs: lines are kept as raw bytes in large
// chunks and only the lines in sight are decoded and drawn, so a million lines cost little
// more than their bytes and appending stays O(1). Text can be selected with the mouse and
// copied (Ctrl+C, Ctrl+A); the view follows the end of the log while it is scrolled to it.
// The lines live in widgets/log_view_storage.h; the view's own code is split by job into
// log_view.cpp (appending, refresh and scrolling), log_view_painting.cpp (text layout and
// drawing) and log_view_selection.cpp (mouse selection and the clipboard).
#pragma once

#include "widgets/log_view_storage.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <string>
#include <string_view>
#include <vector>

namespace tallyrun {

class TLogView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit TLogView(QWidget* parent = nullptr);

    void Clear();
    // Appends one line as it is given. The lines hold no line breaks: the analysis run writes
    // every path escaped (scan/log_line.h), so one escaping serves the whole log.
    void AppendLine(std::string_view line);

    int LineCount() const { return store_.Count(); }
    std::string Line(int index) const { return store_.Line(index); }
    // The whole log, each line followed by "\n".
    std::string Text() const { return store_.Text(); }

    bool HasSelection() const { return anchor_ != cursor_; }
    QString SelectedText() const;
    void SelectAll();
    void CopySelection() const;

    // Applies pending appends to the scroll bars and the screen now instead of at the next
    // refresh tick (about 50 ms after the first pending append).
    void Flush();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Room left of the text and added to the width of the longest line, in pixels.
    static constexpr int kMargin = 2;

    // A position in the log: line, and UTF-16 index within the decoded line.
    struct TPos
    {
        int line = 0;
        int column = 0;
        bool operator==(const TPos&) const = default;
        auto operator<=>(const TPos&) const = default;
    };

    QString DisplayLine(int index) const;
    // x of every UTF-16 position 0..size of a decoded line, tabs expanded to tab stops.
    std::vector<qreal> ColumnXs(const QString& text) const;
    TPos PosAt(const QPoint& viewportPoint) const;
    void UpdateScrollBars();
    bool AtEnd() const;
    void ScheduleFlush();
    qreal TabWidth() const;

    TLogLineStore store_;
    int contentWidth_ = 0;
    bool widthDirty_ = false;
    bool followEnd_ = true;
    bool flushPending_ = false;
    QTimer flushTimer_;
    TPos anchor_;
    TPos cursor_;
    bool selecting_ = false;
};

} // namespace tallyrun
