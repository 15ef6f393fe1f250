// The chart panel with its series list, walls and axes: the drawing sequence of every paint
// and the panel's mouse input.
#pragma once

#include "chart/chart_panel_extended.h"
#include "chart/chart_parent.h"
#include "chart/chart_pen.h"
#include "chart/chart_series.h"
#include "chart/chart_wall.h"

#include <QCursor>

#include <array>
#include <functional>
#include <vector>

namespace tallyrun {

// An axis of the panel; axes are not drawn by this program, only their visibility is kept.
struct TChartAxis
{
    bool Visible = true;
};

enum TAxisIndex
{
    axBottom,
    axTop,
    axLeft,
    axRight,
    axDepth
};

class TCustomAxisPanel : public TCustomChartPanelExtended, public TChartParent
{
public:
    using TChartEvent = std::function<void(TCustomAxisPanel&)>;
    using TMouseEvent = std::function<void(Qt::MouseButton, Qt::KeyboardModifiers, int, int)>;
    using TMouseMoveEvent = std::function<void(Qt::KeyboardModifiers, int, int)>;
    using TWheelEvent = std::function<void(Qt::KeyboardModifiers, int, int)>;

    explicit TCustomAxisPanel(QWidget* parent = nullptr);
    ~TCustomAxisPanel() override;

    // The series drawn by this panel, in list order. A series joins and leaves through its
    // own SetParentChart; the panel does not own them and detaches each one when it goes.
    const std::vector<TChartSeries*>& SeriesList() const { return series_; }
    void RequestChartRepaint() override { TCustomChartPanelExtended::RequestChartRepaint(); }
    bool IsChartDestroying() const override { return destroying_; }
    void AttachSeries(TChartSeries* series) override;
    void DetachSeries(TChartSeries* series) override;

    bool AxisVisible() const { return axisVisible_; }
    bool ClipPoints() const { return clipPoints_; }
    bool View3DWalls() const { return view3DWalls_; }
    TColor BackColor() const { return backWall_.Color(); }
    TChartWall& BackWall() { return backWall_; }
    TChartWall& LeftWall() { return leftWall_; }
    TChartWall& BottomWall() { return bottomWall_; }
    // The back wall's pen.
    const TChartPen& Frame() const { return backWall_.Pen(); }
    TChartAxis& Axis(TAxisIndex index) { return axes_[index]; }

    void SetAxisVisible(bool value) { SetProperty(axisVisible_, value); }
    void SetClipPoints(bool value) { SetProperty(clipPoints_, value); }
    void SetView3DWalls(bool value) { SetProperty(view3DWalls_, value); }
    // Also makes the back wall's brush solid.
    void SetBackColor(TColor value);
    void SetFrame(const TChartPen& value) { backWall_.SetPen(value); }

    // Depth of the current paint (pixels): one series' band, and the whole view's.
    int SeriesDepth() const { return seriesDepth_; }
    int DepthWidth() const { return depthWidth_; }
    int DepthHeight() const { return depthHeight_; }
    int MaxZOrder() const { return maxZOrder_; }

    TChartEvent OnBeforeDrawAxes, OnBeforeDrawSeries, OnAfterDraw;
    // Handlers the owning window assigns; each runs before the panel's own handling.
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TWheelEvent OnMouseWheelUp, OnMouseWheelDown;
    std::function<void()> OnClick;
    // A double-click, after the press handling of its second press.
    TMouseEvent OnDblClick;
    // The background's and the legend's click events; none is assigned in this program. A
    // click on a series fires the series' own OnClick.
    TMouseEvent OnClickBackground;
    TMouseEvent OnClickLegend;

protected:
    void DrawChart() override;
    // Step 3 of the sequence: legend and titles, inside the flat-drawing bracket.
    virtual void DrawTitlesAndLegend() {}
    // True when the point is inside the legend box (the legend's click).
    virtual bool ClickedLegend(int, int) { return false; }
    // Active series, in list order.
    std::vector<TChartSeries*> ActiveSeries() const;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void AssignZOrders(const std::vector<TChartSeries*>& active);
    void ComputeDepth();
    void DrawBackWall();
    void DrawSeries(TChartSeries& series);
    TChartSeries* SeriesAt(int x, int y, int* index) const;

    std::vector<TChartSeries*> series_;
    bool destroying_ = false;
    bool axisVisible_ = true;
    bool clipPoints_ = true;
    bool view3DWalls_ = true;
    TChartWall backWall_;
    TChartWall leftWall_;
    TChartWall bottomWall_;
    std::array<TChartAxis, 5> axes_{};
    int seriesDepth_ = 0, depthWidth_ = 0, depthHeight_ = 0, maxZOrder_ = 0;
    // The cursor the panel had when its window was set up; restored after a series' own.
    QCursor panelCursor_;
    bool panelCursorKnown_ = false;
    bool pressedInside_ = false;
    // Wheel angle not yet taken as whole steps, in eighths of a degree.
    static constexpr int kWheelStep = 120;
    int wheelDelta_ = 0;
};

} // namespace tallyrun
