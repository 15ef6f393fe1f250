// The log view's selection: positions under the mouse, the selected text, and copying it
// to the clipboard (and to the X selection when a drag ends).
#include "widgets/log_view.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>

namespace tallyrun {

TLogView::TPos TLogView::PosAt(const QPoint& p) const
{
    TPos pos;
    if (store_.Empty())
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
    if (store_.Empty())
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

} // namespace tallyrun
