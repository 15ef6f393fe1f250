#include "app/chart_stand_in.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace tallyrun::standin {

TPieSeries::TPieSeries()
{
    SetColorEachPoint(true);
    SetSeriesColor(clRed);
    XValues().SetName("");
    YValues().SetName("円");
    YValues().SetOrder(loDescending);
}

void TPieSeries::PrepareForPaint()
{
    if (YValues().Order() != loNone)
        YValues().SortByOrder();
    XValues().Renumber();
}

TChart::TChart(QWidget* parent) : QWidget(parent)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

TChart::~TChart()
{
    destroying_ = true;
    for (TChartSeries* s : std::vector<TChartSeries*>(series_))
        s->SetParentChart(nullptr);
}

void TChart::RequestChartRepaint() { update(); }

void TChart::AttachSeries(TChartSeries* series)
{
    series_.push_back(series);
    update();
}

void TChart::DetachSeries(TChartSeries* series)
{
    std::erase(series_, series);
    if (!destroying_)
        update();
}

void TChart::paintEvent(QPaintEvent*)
{
    ++paintCount_;
    QPainter painter(this);
    const int side = std::max(0, std::min(width(), height()) - 20);
    const QRect box((width() - side) / 2, (height() - side) / 2, side, side);
    for (TChartSeries* s : series_) {
        if (!s->Active() || s->PointCount() == 0)
            continue;
        TChartValueList& values = s->YValues();
        if (values.Order() != loNone)
            values.SortByOrder();
        s->XValues().Renumber();
        const double total = values.AbsValueSum();
        int start = 0;  // sixteenths of a degree, as QPainter takes them
        for (int i = 0; i < s->PointCount(); ++i) {
            const int end = total > 0 && i + 1 < s->PointCount()
                                ? start + int(std::lround(std::fabs(values[i]) / total * 5760))
                                : (i + 1 == s->PointCount() ? 5760 : start);
            painter.setBrush(ColorToQColor(s->PointColor(i)));
            painter.drawPie(box, start, end - start);
            start = end;
        }
    }
}

} // namespace tallyrun::standin
