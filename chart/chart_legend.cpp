#include "chart/chart_legend.h"

#include "base/fonts.h"
#include "chart/chart_exception.h"

#include <QCoreApplication>

namespace tallyrun {

TChartLegend::TChartLegend(TChartRepaintOwner* owner) : owner_(owner), font_(MinchoFaceName(), 9)
{
    dividingLines_.Visible = false;
}

void TChartLegend::SetAlignment(TLegendAlignment value)
{
    Store(alignment_, value);
}
void TChartLegend::SetBrush(const TChartBrush& value)
{
    Store(brush_, value);
}
void TChartLegend::SetColor(TColor value)
{
    Store(color_, value);
}

void TChartLegend::SetColorWidth(int value)
{
    if (value < 0 || value > 100)
        throw LegendException(
            QCoreApplication::translate("TChartLegend",
                                        "凡例のマーカの幅は 0 から 100% の間でなければなりません")
                .toStdString());
    Store(colorWidth_, value);
}

void TChartLegend::SetDividingLines(const TChartPen& value)
{
    Store(dividingLines_, value);
}

void TChartLegend::SetFirstValue(int value)
{
    if (value < 0)
        throw LegendException(QCoreApplication::translate(
                                  "TChartLegend", "凡例の開始値は１以上でなければなりません。")
                                  .toStdString());
    Store(firstValue_, value);
}

void TChartLegend::SetFont(const QFont& value)
{
    Store(font_, value);
}
void TChartLegend::SetFontColor(TColor value)
{
    Store(fontColor_, value);
}
void TChartLegend::SetFrame(const TChartPen& value)
{
    Store(frame_, value);
}
void TChartLegend::SetHorizMargin(int value)
{
    Store(horizMargin_, value);
}
void TChartLegend::SetInverted(bool value)
{
    Store(inverted_, value);
}
void TChartLegend::SetLegendStyle(TLegendStyle value)
{
    Store(legendStyle_, value);
}
void TChartLegend::SetMaxNumRows(int value)
{
    Store(maxNumRows_, value);
}
void TChartLegend::SetResizeChart(bool value)
{
    Store(resizeChart_, value);
}
void TChartLegend::SetShadowColor(TColor value)
{
    Store(shadowColor_, value);
}
void TChartLegend::SetShadowSize(int value)
{
    Store(shadowSize_, value);
}
void TChartLegend::SetTextStyle(TLegendTextStyle value)
{
    Store(textStyle_, value);
}

void TChartLegend::SetTopPos(int value)
{
    if (value < 0 || value > 100)
        throw LegendException(
            QCoreApplication::translate("TChartLegend",
                                        "凡例の上端は 0 から 100% の間でなければなりません")
                .toStdString());
    Store(topPos_, value);
}

void TChartLegend::SetVertMargin(int value)
{
    Store(vertMargin_, value);
}
void TChartLegend::SetVisible(bool value)
{
    Store(visible_, value);
}

bool TChartLegend::Contains(int x, int y) const
{
    const TChartRect& r = geometry_.LegendRect;
    return drawn_ && visible_ && x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

} // namespace tallyrun
