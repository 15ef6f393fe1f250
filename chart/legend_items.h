// What one paint's legend lists: the style in force, the number of items, each item's text
// and its colour box, taken from the chart's active series.
#pragma once

#include "chart/chart_rect.h"
#include "chart/legend_layout.h"
#include "chart/legend_text_style.h"

#include <string>
#include <vector>

namespace tallyrun {

class TChartSeries;
class TCustomChartPanel;

// lsAuto lists the points of a single active series, and the series when there are several.
TLegendStyle EffectiveLegendStyle(TLegendStyle style, int activeSeriesCount);

class TLegendItems
{
public:
    // `active`: the chart's active series in list order. Items are numbered from
    // `firstValue` on, as the legend numbers them.
    TLegendItems(const std::vector<TChartSeries*>& active, TLegendStyle style, int firstValue);

    TLegendStyle Style() const { return style_; }
    // Items from FirstValue on; never below 0.
    int Count() const;
    // Item `item`'s text: a series' title, or a point's row text with every carriage
    // return turned into a space so that each item stays one line.
    std::string Text(int item, TLegendTextStyle textStyle) const;
    // Item `item`'s colour box in `rect`: the point's or the whole series'.
    void DrawSymbol(int item, const TChartRect& rect, TCustomChartPanel& chart) const;

private:
    TChartSeries* ShownSeries(int item) const;

    TLegendStyle style_;
    int firstValue_;
    // The first active series, whose points lsValues lists.
    TChartSeries* first_ = nullptr;
    // The active series shown in the legend, which lsSeries and lsLastValues list.
    std::vector<TChartSeries*> shown_;
};

} // namespace tallyrun
