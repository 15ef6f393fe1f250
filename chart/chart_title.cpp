#include "chart/chart_title.h"

#include "chart/chart_panel.h"

namespace tallyrun {

namespace {

constexpr int kTitleGap = 5;

} // namespace

TChartTitle::TChartTitle(TChartRepaintOwner* owner) : owner_(owner)
{
    font_.setPointSize(8);
}

void TChartTitle::SetVisible(bool value)
{
    StoreAndRepaint(visible_, value, owner_);
}

void TChartTitle::SetText(const std::vector<std::string>& value)
{
    StoreAndRepaint(text_, value, owner_);
}

void TChartTitle::SetFont(const QFont& value)
{
    StoreAndRepaint(font_, value, owner_);
}

void TChartTitle::SetFontColor(TColor value)
{
    StoreAndRepaint(fontColor_, value, owner_);
}

void TChartTitle::Draw(TCustomChartPanel& panel, TTitleEdge edge) const
{
    const bool atTop = edge == TTitleEdge::Top;
    if (!visible_ || text_.empty())
        return;
    TChartCanvas3D& canvas = panel.Canvas();
    canvas.Font() = font_;
    canvas.FontColor() = fontColor_;
    canvas.SetBackgroundMode(bkTransparent);
    canvas.SetTextAlignment(taCenter | taTop);
    const int lineHeight = canvas.LineHeight();
    const int height = lineHeight * static_cast<int>(text_.size());
    TChartRect& plot = panel.PlotRect();
    int y = atTop ? plot.top : plot.bottom - height;
    for (const std::string& line : text_) {
        canvas.PutText(panel.PlotCentreX(), y, line);
        y += lineHeight;
    }
    canvas.SetTextAlignment(taLeft | taTop);
    if (atTop)
        plot.top += height + kTitleGap;
    else
        plot.bottom -= height + kTitleGap;
    panel.RecalcPlot();
}

} // namespace tallyrun
