#include "chart/legend_items.h"

#include "chart/chart_panel.h"
#include "chart/chart_series.h"

#include <algorithm>

namespace tallyrun {

namespace {

std::string CarriageReturnsAsSpaces(std::string text)
{
    std::replace(text.begin(), text.end(), '\r', ' ');
    return text;
}

} // namespace

TLegendStyle EffectiveLegendStyle(TLegendStyle style, int activeSeriesCount)
{
    if (style != lsAuto)
        return style;
    return activeSeriesCount < 2 ? lsValues : lsSeries;
}

TLegendItems::TLegendItems(const std::vector<TChartSeries*>& active, TLegendStyle style,
                           int firstValue)
    : style_(EffectiveLegendStyle(style, static_cast<int>(active.size()))), firstValue_(firstValue)
{
    if (!active.empty())
        first_ = active.front();
    for (TChartSeries* series : active)
        if (series->ShowInLegend())
            shown_.push_back(series);
}

int TLegendItems::Count() const
{
    int all = 0;
    if (style_ == lsValues)
        all = first_ && first_->ShowInLegend() ? first_->LegendItemCount() : 0;
    else
        all = static_cast<int>(shown_.size());
    return std::max(0, all - firstValue_);
}

TChartSeries* TLegendItems::ShownSeries(int item) const
{
    if (item < 0 || item >= static_cast<int>(shown_.size()))
        return nullptr;
    return shown_[static_cast<size_t>(item)];
}

std::string TLegendItems::Text(int item, TLegendTextStyle textStyle) const
{
    if (style_ == lsValues)
        return first_ ? CarriageReturnsAsSpaces(first_->LegendItemText(item, textStyle)) : "";
    TChartSeries* series = ShownSeries(item);
    if (!series)
        return {};
    if (style_ == lsLastValues) {
        const int last = series->LegendItemCount() - 1;
        return last < 0 ? "" : CarriageReturnsAsSpaces(series->LegendItemText(last, textStyle));
    }
    if (!series->Title().empty())
        return series->Title();
    return "Series " + std::to_string(item);
}

void TLegendItems::DrawSymbol(int item, const TChartRect& rect, TCustomChartPanel& chart) const
{
    if (style_ == lsValues && first_) {
        first_->DrawLegendSymbol(first_->LegendItemToPoint(item), rect, chart);
    } else if (TChartSeries* series = style_ == lsValues ? nullptr : ShownSeries(item)) {
        series->DrawLegendSymbol(-1, rect, chart);
    } else {
        chart.Canvas().Brush() = {clWhite, Qt::SolidPattern};
        chart.Canvas().BoxRect(rect);
    }
}

} // namespace tallyrun
