// What a series offers the legend: its rows, their texts and the colour boxes.
#include "chart/chart_panel.h"
#include "chart/chart_series.h"
#include "chart/number_pattern.h"

namespace tallyrun {

std::string TChartSeries::LegendItemText(int row, TLegendTextStyle style) const
{
    const int point = LegendItemToPoint(row);
    const std::string label = PointLabel(point);
    if (style == ltsPlain)
        return label;
    if (style == ltsXValue)
        return FormatFloat(valueFormat_, XValues().ValueAt(point));
    const TChartValueList& values = MandatoryValues();
    const double value = values.ValueAt(point);
    if (style == ltsLeftValue || style == ltsRightValue) {
        const std::string text = FormatFloat(valueFormat_, value);
        return style == ltsLeftValue ? text + " " + label : label + " " + text;
    }
    if (style == ltsLeftPercent || style == ltsRightPercent) {
        // The signed value's share, so a negative point reads as a negative percentage.
        const double sum = values.AbsValueSum();
        const std::string text = FormatFloat(percentFormat_, sum != 0 ? value * 100 / sum : 100);
        return style == ltsLeftPercent ? text + " " + label : label + " " + text;
    }
    return label;
}

void TChartSeries::DrawLegendSymbol(int valueIndex, const TChartRect& rect,
                                    TCustomChartPanel& chart)
{
    TColor colour;
    if (valueIndex == -1) {
        if (colorEachPoint_)
            return;
        colour = seriesColor_;
    } else {
        colour = LegendSymbolColor(valueIndex);
    }
    if (colour == clNone)
        return;
    TLegendSymbolFill fill;
    fill.Background = chart.LegendColor();
    AdjustLegendSymbolFill(valueIndex, fill);
    if (fill.Background == clAutomatic)
        fill.Background = chart.LegendColor();
    if (fill.Background == clAutomatic)
        fill.Background = chart.Color();
    chart.PrepareBrush(colour, fill.Style, fill.Background);
    TChartCanvas3D& canvas = chart.Canvas();
    canvas.BoxRect(rect);
    if (colour == chart.LegendColor()) {
        canvas.Brush().style = Qt::NoBrush;
        if (colour == clBlack)
            canvas.Pen().color = clWhite;
        canvas.BoxRect(rect);
        canvas.Pen().color = clBlack;
    }
}

} // namespace tallyrun
