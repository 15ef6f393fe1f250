// The point store every series is built on: value lists (XValues, YValues and any further
// dimension), one colour and one optional label per point, the automatic point colours, the
// series' events, and repaint requests that only mark the parent chart dirty.
#pragma once

#include "chart/chart_color.h"
#include "chart/chart_rect.h"
#include "chart/chart_value_list.h"
#include "chart/legend_text_style.h"
#include "chart/series_marks.h"

#include <Qt>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tallyrun {

class TChartParent;
class TCustomChartPanel;

enum TSeriesMouseButton
{
    smbLeft,
    smbRight,
    smbMiddle
};

class TChartSeries
{
public:
    using TNotifyEvent = std::function<void(TChartSeries& sender)>;
    using TBeforeAddEvent = std::function<bool(TChartSeries& sender)>;
    using TValueIndexEvent = std::function<void(TChartSeries& sender, int valueIndex)>;
    using TGetMarkTextEvent =
        std::function<void(TChartSeries& sender, int valueIndex, std::string& markText)>;
    using TClickEvent =
        std::function<void(TChartSeries& sender, int valueIndex, TSeriesMouseButton button,
                           unsigned shift, int x, int y)>;

    TChartSeries();
    virtual ~TChartSeries();
    TChartSeries(const TChartSeries&) = delete;
    TChartSeries& operator=(const TChartSeries&) = delete;

    // Every value list, in creation order: 0 is XValues, 1 is YValues.
    int ValueListCount() const { return static_cast<int>(valueLists_.size()); }
    TChartValueList& ValueList(int index) const;
    TChartValueList& XValues() const { return *valueLists_[0]; }
    TChartValueList& YValues() const { return *valueLists_[1]; }
    // Creates a further dimension owned by the series.
    TChartValueList& AddValueList(const std::string& name);

    // True when the Y values are the values that are summed, shown and drawn.
    virtual bool YMandatory() const { return true; }

    int PointCount() const { return XValues().ValueCount(); }
    // Adds a point with the next x (Y mandatory) or the next y; returns its index.
    int AddPoint(const std::string& label, TColor color, double value);
    // Returns the new point's index, or -1 when OnBeforeAdd cancels the addition.
    int InsertPoint(double x, double y, const std::string& label, TColor color);
    void RemovePoint(int valueIndex);
    void ClearPoints();
    // Swaps two whole points; asks for no repaint (it is used by the sort before painting).
    void ExchangePoints(int a, int b);

    // The stored label, or "" when there is none.
    std::string PointLabel(int valueIndex) const;
    TColor PointColor(int valueIndex) const;
    void SetPointColor(int valueIndex, TColor color);
    bool IsNullPoint(int valueIndex) const { return PointColor(valueIndex) == clNone; }

    // Invalidates the parent chart; nothing without one.
    void RequestRepaint();

    TChartParent* ParentChart() const { return parentChart_; }
    // Leaves the previous chart and joins the new one.
    virtual void SetParentChart(TChartParent* chart);

    TColor SeriesColor() const { return seriesColor_; }
    void SetSeriesColor(TColor color);
    bool ColorEachPoint() const { return colorEachPoint_; }
    // Turning it off resets every point's stored colour to the automatic colour.
    void SetColorEachPoint(bool value);
    bool Active() const { return active_; }
    virtual void SetActive(bool value);
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    const std::string& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const std::string& format);
    const std::string& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const std::string& format);

    TSeriesMarks& Marks() { return *marks_; }
    const TSeriesMarks& Marks() const { return *marks_; }
    // The text of a point's mark in the marks' style; OnGetMarkText may replace it.
    std::string BuildMarkText(int valueIndex);
    // The point's label, or its value when it has none.
    std::string LabelOrValue(int valueIndex) const;
    // The point's share of the absolute total in PercentFormat (100 when the total is 0).
    std::string PercentText(int valueIndex) const;
    // That share written with the total as "<total> の <percent>".
    std::string PercentOfTotalText(int valueIndex) const;

    // The chart's drawing sequence calls these for every active series at each paint, in
    // this order: PrepareForPaint before legend and titles; then, unless HasVisiblePoints is
    // false, BeginDrawValues, DrawPoints (clipped to the plot area when the chart clips),
    // DrawPointMarks when MarksVisible, EndDrawValues.
    virtual void PrepareForPaint() {}
    virtual bool HasVisiblePoints() const { return PointCount() > 0; }
    // Fires BeforeDrawValues.
    virtual void BeginDrawValues();
    virtual void DrawPoints() {}
    virtual bool MarksVisible() const { return marks_->Visible(); }
    // The marks ask to be clipped to the plot area.
    virtual bool MarksClipped() const { return marks_->Clip(); }
    virtual void DrawPointMarks() {}
    // Fires AfterDrawValues.
    virtual void EndDrawValues();
    // A z-order of the series' own, or -1 to take the next free one at each paint.
    virtual int FixedZOrder() const { return -1; }
    // The point under the screen point (x, y), or -1; for the chart's mouse handling.
    virtual int Clicked(int /*x*/, int /*y*/) const { return -1; }
    // The cursor over the series; Qt::ArrowCursor leaves the chart's own.
    Qt::CursorShape Cursor() const { return cursor_; }
    void SetCursor(Qt::CursorShape cursor) { cursor_ = cursor; }

    // What the legend lists of the series. Rows count from 0 over the points the legend
    // shows; a series that leaves points out of the legend maps rows to points itself.
    virtual int LegendItemCount() const { return PointCount(); }
    virtual int LegendItemToPoint(int row) const { return row; }
    // The row's text: the point's stored label (not its value when it has none), with the
    // value or percentage before or after it as `style` says, in the series' number patterns.
    virtual std::string LegendItemText(int row, TLegendTextStyle style) const;
    virtual TColor LegendSymbolColor(int valueIndex) const { return PointColor(valueIndex); }
    // The colour box of point `valueIndex` in the legend, or of the whole series for -1 (none
    // when each point has its own colour), drawn into `rect` on `chart`'s canvas with the
    // current pen. A null point gets no box. A box in the legend's own colour is outlined
    // once more so that it stays visible.
    virtual void DrawLegendSymbol(int valueIndex, const TChartRect& rect, TCustomChartPanel& chart);

    // The series' place in depth, set by the chart at each paint: pixels, 0 at the front.
    struct TDepthBand
    {
        int ZOrder = 0;
        int StartZ = 0;
        int EndZ = 0;
        int MiddleZ = 0;
        int MarksDepth = 0;
    };
    TDepthBand Depth;

    TBeforeAddEvent OnBeforeAdd;
    TValueIndexEvent OnAfterAdd;
    TNotifyEvent OnClearValues;
    TNotifyEvent BeforeDrawValues;
    TNotifyEvent AfterDrawValues;
    TGetMarkTextEvent OnGetMarkText;
    TClickEvent OnClick;
    TClickEvent OnDblClick;

protected:
    // The fill behind a colour box in the legend. It starts as the legend's colour, solid; a
    // series whose points have a background or hatch of their own puts them here. An
    // automatic background falls back to the legend's colour, then to the chart's.
    struct TLegendSymbolFill
    {
        TColor Background = clAutomatic;
        Qt::BrushStyle Style = Qt::SolidPattern;
    };
    virtual void AdjustLegendSymbolFill(int /*valueIndex*/, TLegendSymbolFill& /*fill*/) const {}
    // The values that are summed, shown and drawn: Y, or X when Y is not mandatory.
    TChartValueList& MandatoryValues() const { return YMandatory() ? YValues() : XValues(); }

    // Hooks for what derived series and the marks keep per point (mark positions, explode
    // percentages). Called after the point store itself has changed.
    virtual void PointRemoved(int /*valueIndex*/) {}
    virtual void PointsCleared() {}
    virtual void PointsExchanged(int /*a*/, int /*b*/) {}

    template <typename T> void SetAndRepaint(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        RequestRepaint();
    }

private:
    void ClearStorage();

    std::vector<std::unique_ptr<TChartValueList>> valueLists_;
    std::vector<TColor> colors_;
    std::vector<std::optional<std::string>> labels_;
    TChartParent* parentChart_ = nullptr;
    TColor seriesColor_ = clAutomatic;
    bool colorEachPoint_ = false;
    bool active_ = true;
    bool showInLegend_ = true;
    std::string title_;
    std::string valueFormat_ = "#,##0.###";
    std::string percentFormat_ = "##0.## %";
    Qt::CursorShape cursor_ = Qt::ArrowCursor;
    std::unique_ptr<TSeriesMarks> marks_;
};

} // namespace tallyrun
