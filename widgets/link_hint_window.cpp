#include "widgets/link_hint_window.h"

#include <QFontMetrics>
#include <QPainter>

namespace tallyrun {

QSize LinkHintSize(const QFont& font, const QString& link)
{
    const QFontMetrics metrics(font);
    return {metrics.horizontalAdvance(link) + 6, metrics.height() + 3};
}

void PaintLinkHint(QPainter& painter, QSize size, const QFont& font, const QColor& background,
                   const QColor& textColor, const QString& link)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), background);
    painter.setFont(font);
    painter.setPen(textColor);
    painter.drawText(2, 2 + QFontMetrics(font).ascent(), link);
}

TLinkHintWindow::TLinkHintWindow(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowDoesNotAcceptFocus)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void TLinkHintWindow::ShowAt(QPoint topLeft, const QString& link, const QFont& font,
                             const QColor& background, const QColor& textColor)
{
    link_ = link;
    font_ = font;
    background_ = background;
    textColor_ = textColor;
    setFixedSize(LinkHintSize(font, link));
    move(topLeft);
    show();
    update();
}

void TLinkHintWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintLinkHint(painter, size(), font_, background_, textColor_, link_);
}

} // namespace tallyrun
