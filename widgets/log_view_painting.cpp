// The log view's text layout and drawing: only the lines in sight are decoded, tabs open
// gaps up to the next tab stop, and the selection is drawn over the text as a band.
#include "widgets/log_view.h"

#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace tallyrun {

namespace {

constexpr int kTabColumns = 8;

} // namespace

QString TLogView::DisplayLine(int index) const
{
    const std::string bytes = Line(index);
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

} // namespace tallyrun
