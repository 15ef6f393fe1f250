// The marks of a series: the labelled boxes drawn beside the points, joined to them by a short
// arrow line. They keep their look (pens, colours, font, style) and one position per point,
// and draw one mark at a time; where a mark goes is the series' business.
#pragma once

#include "chart/chart_color.h"
#include "chart/chart_pen.h"
#include "chart/projection.h"

#include <QFont>

#include <string>
#include <vector>

namespace tallyrun {

class TCanvas3D;
class TChartSeries;

// What a mark says about its point. The underlying type is fixed so that any stored number is
// a valid value; a number outside the list says nothing.
enum TSeriesMarksStyle : int
{
    smsValue = 0,
    smsPercent = 1,
    smsLabel = 2,
    smsLabelPercent = 3,
    smsLabelValue = 4,
    smsLegend = 5,
    smsPercentTotal = 6,
    smsLabelPercentTotal = 7,
    smsXValue = 8,
};

// Where a mark was drawn, in pixels: the arrow from the point to the mark's tip and the box.
struct TSeriesMarkPosition
{
    TScreenPoint ArrowFrom;
    TScreenPoint ArrowTo;
    // A position set from outside: it is used instead of the computed one.
    bool Custom = false;
    TScreenPoint LeftTop;
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TSeriesMarkPosition&, const TSeriesMarkPosition&) = default;
};

// One stored position per point index; entries are created when first used.
class TSeriesMarksPositions
{
public:
    int Count() const { return static_cast<int>(positions_.size()); }
    // The entry of a point, created (empty) with every entry before it when missing.
    TSeriesMarkPosition& At(int index);
    const TSeriesMarkPosition* Find(int index) const;
    // Removes the entry of a point that is removed; later entries move up with their points.
    void Remove(int index);
    void Clear() { positions_.clear(); }

private:
    std::vector<TSeriesMarkPosition> positions_;
};

// What a mark's drawing needs of the chart at this paint.
struct TMarkDrawContext
{
    bool is3D = false;
    // The chart's colour (RGB): an arrow of this colour or of the point's is drawn black.
    TColor chartColor = 0;
    // The depth the marks are drawn at.
    int depth = 0;
};

class TSeriesMarks
{
public:
    explicit TSeriesMarks(TChartSeries& owner);

    const TChartPen& Arrow() const { return arrow_; }
    int ArrowLength() const { return arrowLength_; }
    TColor BackColor() const { return backColor_; }
    bool Clip() const { return clip_; }
    const QFont& Font() const { return font_; }
    TColor FontColor() const { return fontColor_; }
    const TChartPen& Frame() const { return frame_; }
    TSeriesMarksStyle Style() const { return style_; }
    bool Transparent() const { return transparent_; }
    bool Visible() const { return visible_; }

    // Each asks the series to repaint when the value changes.
    void SetArrow(const TChartPen& value) { Store(arrow_, value); }
    void SetArrowLength(int value) { Store(arrowLength_, value); }
    void SetBackColor(TColor value) { Store(backColor_, value); }
    void SetClip(bool value) { Store(clip_, value); }
    void SetFont(const QFont& value) { Store(font_, value); }
    void SetFontColor(TColor value) { Store(fontColor_, value); }
    void SetFrame(const TChartPen& value) { Store(frame_, value); }
    void SetStyle(TSeriesMarksStyle value) { Store(style_, value); }
    void SetTransparent(bool value) { Store(transparent_, value); }
    void SetVisible(bool value) { Store(visible_, value); }

    TSeriesMarksPositions& Positions() { return positions_; }
    const TSeriesMarksPositions& Positions() const { return positions_; }

    // The width of "W" plus the widest line's, and the lines' height, each plus twice the
    // frame's pen width when the frame is visible. Leaves the canvas pen set to the frame.
    void MeasureBox(TCanvas3D& canvas, const std::string& text, int& width, int& height) const;
    // Arrow, box and text of one mark at `position`; the canvas font must already be the
    // marks' font.
    void DrawMark(TCanvas3D& canvas, const TMarkDrawContext& context,
                  const TSeriesMarkPosition& position, TColor pointColor,
                  const std::string& text) const;

private:
    template <typename T> void Store(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }
    // Asks the series to repaint.
    void Changed();

    TChartSeries& owner_;
    TChartPen arrow_{true, clWhite, 1, Qt::SolidLine, false};
    int arrowLength_ = 8;
    TColor backColor_ = 0x80FFFF;
    bool clip_ = false;
    QFont font_;
    TColor fontColor_ = clBlack;
    TChartPen frame_;
    TSeriesMarksStyle style_ = smsLabel;
    bool transparent_ = false;
    bool visible_ = false;
    TSeriesMarksPositions positions_;
};

// The lines a mark's box is sized for: the text split at carriage returns, an empty last
// line included ("tail\r" makes a box two lines high).
std::vector<std::string> MarkBoxLines(const std::string& text);
// The lines a mark writes: the first line whole, then the text after the first break cut to
// 255 characters and split again; an empty last line is not written.
std::vector<std::string> MarkWrittenLines(const std::string& text);

} // namespace tallyrun
