#include "widgets/log_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace tallyrun {

namespace {

// Lines are packed into chunks of this size; a chunk never moves once filled, so the log
// grows without the copy-on-grow peaks of one big buffer.
constexpr std::size_t kChunkBytes = std::size_t(1) << 20;
constexpr int kRefreshMs = 50;
constexpr int kTabColumns = 8;
constexpr int kMargin = 2;

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
    chunks_.clear();
    lines_.clear();
    longestLineBytes_ = 0;
    longestLine_ = -1;
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
    if (chunks_.empty() || chunks_.back().size() + line.size() > chunks_.back().capacity()) {
        chunks_.emplace_back();
        chunks_.back().reserve(std::max(kChunkBytes, line.size()));
    }
    std::string& chunk = chunks_.back();
    lines_.push_back({static_cast<std::uint32_t>(chunks_.size() - 1),
                      static_cast<std::uint32_t>(chunk.size()),
                      static_cast<std::uint32_t>(line.size())});
    chunk.append(line);
    if (line.size() > longestLineBytes_) {
        longestLineBytes_ = line.size();
        longestLine_ = LineCount() - 1;
        widthDirty_ = true;
    }
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

std::string_view TLogView::Line(int index) const
{
    const TLineRef& ref = lines_.at(static_cast<std::size_t>(index));
    return std::string_view(chunks_[ref.chunk]).substr(ref.offset, ref.length);
}

std::string TLogView::Text() const
{
    std::string text;
    std::size_t size = 0;
    for (const TLineRef& ref : lines_)
        size += ref.length + 1;
    text.reserve(size);
    for (int i = 0; i < LineCount(); ++i) {
        text.append(Line(i));
        text.push_back('\n');
    }
    return text;
}

QString TLogView::DisplayLine(int index) const
{
    const std::string_view bytes = Line(index);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

qreal TLogView::TabWidth() const
{
    return kTabColumns * QFontMetricsF(font()).averageCharWidth();
}

std::vector<qreal> TLogView::ColumnXs(const QString& text) const
{
    const QFontMetricsF metrics(font());
    const qreal tab = TabWidth();
    std::vector<qreal> xs(static_cast<std::size_t>(text.size()) + 1);
    qreal x = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        xs[static_cast<std::size_t>(i)] = x;
        const QChar c = text[i];
        if (c == u'\t') {
            x = (std::floor(x / tab) + 1) * tab;
        } else if (c.isHighSurrogate() && i + 1 < text.size()) {
            x += metrics.horizontalAdvance(text.mid(i, 2));
            xs[static_cast<std::size_t>(++i)] = x; // no position inside a surrogate pair
        } else {
            x += metrics.horizontalAdvance(c);
        }
    }
    xs.back() = x;
    return xs;
}

void TLogView::Flush()
{
    const bool pending = flushPending_;
    flushPending_ = false;
    flushTimer_.stop();
    if (widthDirty_ && longestLine_ >= 0) {
        const std::vector<qreal> xs = ColumnXs(DisplayLine(longestLine_));
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

void TLogView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const int lineHeight = std::max(1, fontMetrics().lineSpacing());
    const int ascent = fontMetrics().ascent();
    const int first = verticalScrollBar()->value();
    const int last = std::min(LineCount() - 1, first + viewport()->height() / lineHeight + 1);
    const qreal left = kMargin - horizontalScrollBar()->value();
    const TPos selBegin = std::min(anchor_, cursor_);
    const TPos selEnd = std::max(anchor_, cursor_);
    for (int i = first; i <= last; ++i) {
        const QString text = DisplayLine(i);
        const std::vector<qreal> xs = ColumnXs(text);
        const qreal top = (i - first) * lineHeight;
        auto drawText = [&](const QColor& color) {
            painter.setPen(color);
            // Tabs are drawn as gaps: each run between tabs starts at its own x.
            qsizetype start = 0;
            while (start <= text.size()) {
                qsizetype end = text.indexOf(u'\t', start);
                if (end < 0)
                    end = text.size();
                if (end > start)
                    painter.drawText(QPointF(left + xs[std::size_t(start)], top + ascent),
                                     text.mid(start, end - start));
                start = end + 1;
            }
        };
        drawText(palette().color(QPalette::Text));
        if (HasSelection() && i >= selBegin.line && i <= selEnd.line) {
            const int from = i == selBegin.line ? std::min<int>(selBegin.column, text.size()) : 0;
            const int to =
                i == selEnd.line ? std::min<int>(selEnd.column, text.size()) : int(text.size());
            qreal x0 = left + xs[std::size_t(from)];
            qreal x1 = left + xs[std::size_t(to)];
            if (i != selEnd.line)
                x1 += fontMetrics().averageCharWidth(); // the line break is selected too
            const QRectF band(x0, top, x1 - x0, lineHeight);
            painter.save();
            painter.setClipRect(band);
            painter.fillRect(band, palette().color(QPalette::Highlight));
            drawText(palette().color(QPalette::HighlightedText));
            painter.restore();
        }
    }
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

TLogView::TPos TLogView::PosAt(const QPoint& p) const
{
    TPos pos;
    if (lines_.empty())
        return pos;
    const int lineHeight = std::max(1, fontMetrics().lineSpacing());
    const int row = p.y() < 0 ? -1 - (-p.y() - 1) / lineHeight : p.y() / lineHeight;
    pos.line = std::clamp(verticalScrollBar()->value() + row, 0, LineCount() - 1);
    const QString text = DisplayLine(pos.line);
    const std::vector<qreal> xs = ColumnXs(text);
    const qreal x = p.x() - kMargin + horizontalScrollBar()->value();
    // The nearest boundary between characters.
    int column = 0;
    while (column < text.size() && x > (xs[std::size_t(column)] + xs[std::size_t(column) + 1]) / 2)
        ++column;
    if (column > 0 && column < text.size() && text[column].isLowSurrogate())
        ++column;
    pos.column = column;
    return pos;
}

QString TLogView::SelectedText() const
{
    if (!HasSelection())
        return {};
    const TPos b = std::min(anchor_, cursor_);
    const TPos e = std::max(anchor_, cursor_);
    QString out;
    for (int i = b.line; i <= e.line; ++i) {
        const QString text = DisplayLine(i);
        const int from = i == b.line ? b.column : 0;
        const int to = i == e.line ? e.column : int(text.size());
        out += text.mid(from, to - from);
        if (i != e.line)
            out += u'\n';
    }
    return out;
}

void TLogView::SelectAll()
{
    if (lines_.empty())
        return;
    anchor_ = TPos{};
    cursor_ = TPos{LineCount() - 1, int(DisplayLine(LineCount() - 1).size())};
    viewport()->update();
}

void TLogView::CopySelection() const
{
    if (HasSelection())
        QApplication::clipboard()->setText(SelectedText());
}

void TLogView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    Flush();
    cursor_ = PosAt(event->position().toPoint());
    if (!(event->modifiers() & Qt::ShiftModifier))
        anchor_ = cursor_;
    selecting_ = true;
    viewport()->update();
}

void TLogView::mouseMoveEvent(QMouseEvent* event)
{
    if (!selecting_)
        return;
    const QPoint p = event->position().toPoint();
    // Dragging past the top or bottom edge scrolls one line per move.
    if (p.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (p.y() > viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    cursor_ = PosAt(p);
    viewport()->update();
}

void TLogView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !selecting_)
        return QAbstractScrollArea::mouseReleaseEvent(event);
    selecting_ = false;
    QClipboard* clipboard = QApplication::clipboard();
    if (HasSelection() && clipboard->supportsSelection())
        clipboard->setText(SelectedText(), QClipboard::Selection);
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
