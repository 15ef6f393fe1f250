// A wall of the chart (back, left, bottom): its colour, brush and pen. Every setter compares,
// stores and asks the panel to repaint.
#pragma once

#include "chart/chart_color.h"
#include "chart/chart_pen.h"
#include "chart/repaint_owner.h"

#include <Qt>

namespace tallyrun {

class TChartWall
{
public:
    explicit TChartWall(TChartRepaintOwner* owner, TColor color) : owner_(owner), color_(color) {}

    // The automatic colour: the wall has no colour of its own.
    TColor Color() const { return color_; }
    Qt::BrushStyle BrushStyle() const { return brushStyle_; }
    TColor BrushColor() const { return brushColor_; }
    const TChartPen& Pen() const { return pen_; }
    int Size() const { return size_; }

    void SetColor(TColor value) { Store(color_, value); }
    void SetBrushStyle(Qt::BrushStyle value) { Store(brushStyle_, value); }
    void SetBrushColor(TColor value) { Store(brushColor_, value); }
    void SetPen(const TChartPen& value) { Store(pen_, value); }
    void SetSize(int value) { Store(size_, value); }

private:
    template <typename T> void Store(T& field, const T& value)
    {
        StoreAndRepaint(field, value, owner_);
    }

    TChartRepaintOwner* owner_;
    TColor color_;
    Qt::BrushStyle brushStyle_ = Qt::SolidPattern;
    TColor brushColor_ = clWhite;
    TChartPen pen_;
    int size_ = 0;
};

} // namespace tallyrun
