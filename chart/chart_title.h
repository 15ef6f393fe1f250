// A text block above (title) or below (foot) the plot area: lines centred over the plot,
// taking their height plus 5 pixels from it.
#pragma once

#include "chart/chart_color.h"
#include "chart/repaint_owner.h"

#include <QFont>

#include <string>
#include <vector>

namespace tallyrun {

class TCustomChartPanel;

// Which edge of the plot rectangle a title takes its room from.
enum class TTitleEdge
{
    Top,   // the title
    Bottom // the foot
};

class TChartTitle
{
public:
    explicit TChartTitle(TChartRepaintOwner* owner);

    bool Visible() const { return visible_; }
    const std::vector<std::string>& Text() const { return text_; }
    const QFont& Font() const { return font_; }
    TColor FontColor() const { return fontColor_; }

    void SetVisible(bool value);
    void SetText(const std::vector<std::string>& value);
    void SetFont(const QFont& value);
    void SetFontColor(TColor value);

    // Draws the lines at the `edge` of the panel's plot rectangle and takes their room from
    // it. Invisible or empty: nothing.
    void Draw(TCustomChartPanel& panel, TTitleEdge edge) const;

private:
    TChartRepaintOwner* owner_;
    bool visible_ = true;
    std::vector<std::string> text_;
    QFont font_;
    TColor fontColor_ = 0x800000; // navy
};

} // namespace tallyrun
