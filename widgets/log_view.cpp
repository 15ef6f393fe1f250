#include "widgets/log_view.h"

#include <QKeyEvent>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace tallyrun {

namespace {

constexpr int kRefreshMs = 50;

} // namespace

TLogView::TLogView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    flushTimer_.setSingleShot(true);
    flushTimer_.setInterval(kRefreshMs);
    connect(&flushTimer_, &QTimer::timeout, this, &TLogView::Flush);
}

void TLogView::Clear()
{
    store_.Clear();
    contentWidth_ = 0;
    anchor_ = cursor_ = TPos{};
    followEnd_ = true;
    flushPending_ = false;
    flushTimer_.stop();
    UpdateScrollBars();
    viewport()->update();
}

void TLogView::AppendLine(std::string_view line)
{
    if (store_.Append(line))
        widthDirty_ = true;
    ScheduleFlush();
}

void TLogView::ScheduleFlush()
{
    if (flushPending_)
        return;
    flushPending_ = true;
    // Whether to follow the end is decided by where the view was before this batch.
    followEnd_ = AtEnd();
    flushTimer_.start();
}

void TLogView::Flush()
{
    const bool pending = flushPending_;
    flushPending_ = false;
    flushTimer_.stop();
    if (widthDirty_ && store_.LongestLine() >= 0) {
        const std::vector<qreal> xs = ColumnXs(DisplayLine(store_.LongestLine()));
        contentWidth_ = std::max(contentWidth_, int(std::ceil(xs.back())) + 2 * kMargin);
        widthDirty_ = false;
    }
    UpdateScrollBars();
    if (pending && followEnd_)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

bool TLogView::AtEnd() const
{
    return verticalScrollBar()->value() >= verticalScrollBar()->maximum();
}

void TLogView::UpdateScrollBars()
{
    const int lineHeight = std::max(1, fontMetrics().lineSpacing());
    const int visible = std::max(1, viewport()->height() / lineHeight);
    verticalScrollBar()->setPageStep(visible);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setRange(0, std::max(0, LineCount() - visible));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 2);
    horizontalScrollBar()->setRange(0, std::max(0, contentWidth_ - viewport()->width()));
}

void TLogView::resizeEvent(QResizeEvent* event)
{
    const bool atEnd = AtEnd();
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    if (atEnd)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void TLogView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TLogView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
    } else if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
    } else if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        verticalScrollBar()->setValue(0);
    } else if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else {
        QAbstractScrollArea::keyPressEvent(event);
    }
}

} // namespace tallyrun
