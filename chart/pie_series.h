// The pie: slices of a circle in proportion to the points' absolute values, sorted before
// every paint, drawn flat or as a 3D pie, with exploded slices, an optional grouped "other"
// slice, the marks placed around the circle, and the slice under a screen point.
#pragma once

#include "chart/circled_series.h"

#include <string>
#include <vector>

namespace tallyrun {

enum TPieOtherStyle
{
    poNone = 0,
    poBelowPercent = 1,
    poBelowValue = 2
};

class TPieSeries;

// The hatch of slice i when the slices are patterned.
Qt::BrushStyle PieSliceHatch(int valueIndex);

// Groups the small slices into one: points below Value (a value, or a percentage of the total)
// are folded into a slice labelled Text.
class TPieOtherSlice
{
public:
    explicit TPieOtherSlice(TPieSeries& owner) : owner_(owner) {}

    TPieOtherStyle Style() const { return style_; }
    const std::string& Text() const { return text_; }
    double Value() const { return value_; }
    void SetStyle(TPieOtherStyle value);
    void SetText(const std::string& value);
    void SetValue(double value);

private:
    TPieSeries& owner_;
    TPieOtherStyle style_ = poNone;
    std::string text_ = "その他";
    double value_ = 0;
};

class TPieSeries : public TCircledSeries
{
public:
    // The x of the grouped slice while it exists; removed again at the next paint.
    static constexpr double kOtherSliceX = 2147483647;

    TPieSeries();

    TChartValueList& PieValues() const { return YValues(); }
    bool Dark3D() const { return dark3D_; }
    int ExplodeBiggest() const { return explodeBiggest_; }
    TPieOtherSlice& OtherSlice() { return otherSlice_; }
    const TChartPen& PiePen() const { return piePen_; }
    bool UsePatterns() const { return usePatterns_; }

    void SetDark3D(bool value) { SetAndRepaint(dark3D_, value); }
    // Stored and applied at once to the biggest slice.
    void SetExplodeBiggest(int value);
    void SetPiePen(const TChartPen& value) { SetAndRepaint(piePen_, value); }
    void SetUsePatterns(bool value) { SetAndRepaint(usePatterns_, value); }

    // The explode percentage of a point: 0 when never set.
    int ExplodedSlice(int valueIndex) const;
    // Pads the percentages with 0 up to the index; asks for a repaint when the value changes.
    void SetExplodedSlice(int valueIndex, int percent);

    // True for a point folded into the other slice at this paint: it has no width, no
    // drawing, no mark and no legend row.
    bool InOtherSlice(int valueIndex) const;
    // The slices' angles of the current paint, before rotation.
    const std::vector<TSliceAngles>& SliceAngles() const { return angles_; }

    // The legend's rows skip the points folded into the other slice.
    int LegendItemCount() const override;
    // The point of a legend row: the (row+1)-th point not in the other slice, else the row.
    int LegendItemToPoint(int row) const override;

    // The slice under the screen point (x, y), or -1.
    int SliceAtPoint(int x, int y) const;

    void PrepareForPaint() override;
    void DrawPoints() override;
    void DrawPointMarks() override;
    int Clicked(int x, int y) const override { return SliceAtPoint(x, y); }

protected:
    // A legend box shows the slice's fill: the circle's back colour, and its hatch.
    void AdjustLegendSymbolFill(int valueIndex, TLegendSymbolFill& fill) const override;
    void PointRemoved(int valueIndex) override;
    void PointsCleared() override { exploded_.clear(); }
    void PointsExchanged(int a, int b) override;

private:
    void BuildOtherSlice();
    void ComputeSliceAngles();
    void ApplyExplodeBiggest();
    TScreenPoint SliceOffset(int valueIndex) const;
    void DrawSlice(int valueIndex);
    TSeriesMarkPosition PlaceMark(int valueIndex, int width, int height);

    bool dark3D_ = true;
    int explodeBiggest_ = 0;
    TPieOtherSlice otherSlice_{*this};
    TChartPen piePen_;
    bool usePatterns_ = false;
    std::vector<int> exploded_;
    std::vector<TSliceAngles> angles_;
    // The slice pushed out furthest at this paint, or -1.
    int mostExploded_ = -1;
    TScreenPoint runningStart_;
};

} // namespace tallyrun
