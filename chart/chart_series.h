// The point store every series is built on: value lists (XValues, YValues and any further
// dimension), one colour and one optional label per point, the automatic point colours, the
// series' events, and repaint requests that only mark the parent chart dirty.
#pragma once

#include "chart/chart_color.h"
#include "chart/chart_value_list.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tallyrun {

class TChartParent;

enum TSeriesMouseButton { smbLeft, smbRight, smbMiddle };

class TChartSeries
{
public:
    using TNotifyEvent = std::function<void(TChartSeries& sender)>;
    using TBeforeAddEvent = std::function<bool(TChartSeries& sender)>;
    using TValueIndexEvent = std::function<void(TChartSeries& sender, int valueIndex)>;
    using TClickEvent = std::function<void(TChartSeries& sender, int valueIndex,
                                           TSeriesMouseButton button, unsigned shift, int x,
                                           int y)>;

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
    void SetActive(bool value);
    bool ShowInLegend() const { return showInLegend_; }
    void SetShowInLegend(bool value);
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);
    const std::string& ValueFormat() const { return valueFormat_; }
    void SetValueFormat(const std::string& format);
    const std::string& PercentFormat() const { return percentFormat_; }
    void SetPercentFormat(const std::string& format);

    TBeforeAddEvent OnBeforeAdd;
    TValueIndexEvent OnAfterAdd;
    TNotifyEvent OnClearValues;
    TNotifyEvent BeforeDrawValues;
    TNotifyEvent AfterDrawValues;
    TClickEvent OnClick;
    TClickEvent OnDblClick;

protected:
    // Hooks for what derived series and the marks keep per point (mark positions, explode
    // percentages). Called after the point store itself has changed.
    virtual void PointRemoved(int /*valueIndex*/) {}
    virtual void PointsCleared() {}
    virtual void PointsExchanged(int /*a*/, int /*b*/) {}

    template <typename T>
    void SetAndRepaint(T& field, const T& value)
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
};

} // namespace tallyrun
