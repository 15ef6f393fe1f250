// The chart's legend: the framed box beside the plot area that lists the points of the one
// active series (or the series, when there are several), each with a small box in its colour.
// Its properties, and the state one paint's layout leaves for hit-testing.
#pragma once

#include "chart/chart_brush.h"
#include "chart/chart_color.h"
#include "chart/chart_pen.h"
#include "chart/chart_rect.h"
#include "chart/legend_layout.h"
#include "chart/legend_text_style.h"
#include "chart/repaint_owner.h"

#include <QFont>

#include <functional>
#include <string>
#include <vector>

namespace tallyrun {

class TChartSeries;
class TCustomChartPanel;

// The chart's events around the legend; none is assigned in this program.
struct TLegendEvents
{
    // May change the text of item `index` (counted from 0, FirstValue included).
    std::function<void(TLegendStyle style, int index, std::string& text)> OnGetLegendText;
    // May change the legend's rectangle after the layout.
    std::function<void(TChartRect& rect)> OnGetLegendRect;
    // May move the text position of item `index`.
    std::function<void(int index, int& x, int& y)> OnGetLegendPos;
};

class TChartLegend
{
public:
    explicit TChartLegend(TChartRepaintOwner* owner);

    TLegendAlignment Alignment() const { return alignment_; }
    const TChartBrush& Brush() const { return brush_; }
    TColor Color() const { return color_; }
    int ColorWidth() const { return colorWidth_; }
    const TChartPen& DividingLines() const { return dividingLines_; }
    int FirstValue() const { return firstValue_; }
    const QFont& Font() const { return font_; }
    TColor FontColor() const { return fontColor_; }
    const TChartPen& Frame() const { return frame_; }
    int HorizMargin() const { return horizMargin_; }
    bool Inverted() const { return inverted_; }
    TLegendStyle LegendStyle() const { return legendStyle_; }
    int MaxNumRows() const { return maxNumRows_; }
    bool ResizeChart() const { return resizeChart_; }
    TColor ShadowColor() const { return shadowColor_; }
    int ShadowSize() const { return shadowSize_; }
    TLegendTextStyle TextStyle() const { return textStyle_; }
    int TopPos() const { return topPos_; }
    int VertMargin() const { return vertMargin_; }
    bool Visible() const { return visible_; }
    // laLeft and laRight make a vertical legend.
    bool Vertical() const { return alignment_ == laLeft || alignment_ == laRight; }

    // Each setter compares, stores and asks the panel to repaint. The three that check their
    // value raise LegendException and keep the old value.
    void SetAlignment(TLegendAlignment value);
    void SetBrush(const TChartBrush& value);
    void SetColor(TColor value);
    // 0 to 100 (percent of the text column).
    void SetColorWidth(int value);
    void SetDividingLines(const TChartPen& value);
    // 0 or more.
    void SetFirstValue(int value);
    void SetFont(const QFont& value);
    void SetFontColor(TColor value);
    void SetFrame(const TChartPen& value);
    void SetHorizMargin(int value);
    void SetInverted(bool value);
    void SetLegendStyle(TLegendStyle value);
    void SetMaxNumRows(int value);
    void SetResizeChart(bool value);
    void SetShadowColor(TColor value);
    void SetShadowSize(int value);
    void SetTextStyle(TLegendTextStyle value);
    // 0 to 100 (percent).
    void SetTopPos(int value);
    void SetVertMargin(int value);
    void SetVisible(bool value);

    // One paint's legend: lays it out for the `active` series, draws it on the panel's canvas
    // and takes its room from the panel's plot rectangle. The panel calls it only when the
    // legend is visible and a series is active, inside its flat-drawing bracket. A legend
    // without items or without room for one row draws nothing and takes no room.
    void Draw(TCustomChartPanel& panel, const std::vector<TChartSeries*>& active,
              const TLegendEvents& events = {});

    // What the last layout left: the box without frame and shadow, the style in force and
    // the grid of items. All 0 until a layout ran.
    const TChartRect& LegendRect() const { return geometry_.LegendRect; }
    TLegendStyle EffectiveStyle() const { return effectiveStyle_; }
    int SymbolWidth() const { return geometry_.SymbolWidth; }
    int LegendColumns() const { return geometry_.Columns; }
    int LegendRows() const { return geometry_.Rows; }
    // True when the last paint drew the legend and (x, y) lies inside its box.
    bool Contains(int x, int y) const;

private:
    template <typename T> void Store(T& field, const T& value)
    {
        StoreAndRepaint(field, value, owner_);
    }

    TChartRepaintOwner* owner_;
    TLegendAlignment alignment_ = laRight;
    TChartBrush brush_;
    TColor color_ = clWhite;
    int colorWidth_ = 12;
    TChartPen dividingLines_;
    int firstValue_ = 0;
    QFont font_;
    TColor fontColor_ = clBlack;
    TChartPen frame_;
    int horizMargin_ = 0;
    bool inverted_ = false;
    TLegendStyle legendStyle_ = lsAuto;
    int maxNumRows_ = 10;
    bool resizeChart_ = true;
    TColor shadowColor_ = clBlack;
    int shadowSize_ = 3;
    TLegendTextStyle textStyle_ = ltsLeftValue;
    int topPos_ = 10;
    int vertMargin_ = 0;
    bool visible_ = true;

    TLegendGeometry geometry_;
    TLegendStyle effectiveStyle_ = lsValues;
    bool drawn_ = false;
};

} // namespace tallyrun
