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

void TChartTitle::Changed()
{
    owner_->RequestChartRepaint();
}

void TChartTitle::SetVisible(bool value)
{
    if (visible_ != value) {
        visible_ = value;
        Changed();
    }
}

void TChartTitle::SetText(const std::vector<std::string>& value)
{
    if (text_ != value) {
        text_ = value;
        Changed();
    }
}

void TChartTitle::SetFont(const QFont& value)
{
    if (font_ != value) {
        font_ = value;
        Changed();
    }
}

void TChartTitle::SetFontColor(TColor value)
{
    if (fontColor_ != value) {
        fontColor_ = value;
        Changed();
    }
}

void TChartTitle::Draw(TCustomChartPanel& panel, bool atTop) const
{
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
