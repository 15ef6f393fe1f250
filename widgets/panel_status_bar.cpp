#include "widgets/panel_status_bar.h"

#include "base/list_index_error.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace tallyrun {

TStatusBar::TStatusBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TStatusBar::SetPanelWidths(const std::vector<int>& widths)
{
    panels_.assign(widths.size(), TPanel{});
    for (size_t i = 0; i < widths.size(); ++i)
        panels_[i].width = widths[i];
    update();
}

int TStatusBar::PanelWidth(int index) const
{
    CheckListIndex(index, PanelCount());
    return panels_[static_cast<size_t>(index)].width;
}

QString TStatusBar::PanelText(int index) const
{
    CheckListIndex(index, PanelCount());
    return panels_[static_cast<size_t>(index)].text;
}

void TStatusBar::SetPanelText(int index, const QString& text)
{
    CheckListIndex(index, PanelCount());
    QString& current = panels_[static_cast<size_t>(index)].text;
    if (current == text)
        return;
    current = text;
    update();
}

int TStatusBar::PanelLeft(int index) const
{
    CheckListIndex(index, PanelCount());
    int left = 0;
    for (int i = 0; i < index; ++i)
        left += panels_[static_cast<size_t>(i)].width;
    return index == 0 ? 0 : left + 2;
}

void TStatusBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    for (int i = 0; i < PanelCount(); ++i) {
        const int left = PanelLeft(i);
        const int right = i == PanelCount() - 1 ? width() : left + PanelWidth(i);
        const QRect box(left, 0, right - left, height());
        QStyleOptionFrame frame;
        frame.initFrom(this);
        frame.rect = box;
        frame.lineWidth = 1;
        frame.state |= QStyle::State_Sunken;
        style()->drawPrimitive(QStyle::PE_FrameStatusBarItem, &frame, &painter, this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(box.adjusted(3, 0, -3, 0), Qt::AlignVCenter | Qt::AlignLeft,
                         panels_[static_cast<size_t>(i)].text);
    }
}

} // namespace tallyrun
