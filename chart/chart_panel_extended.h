// The chart panel with the mouse zoom and panning settings and the paging of axis ranges.
// This program turns zoom and panning off; the settings are kept so they can be stored and
// tested.
#pragma once

#include "chart/chart_panel.h"

namespace tallyrun {

enum TPanningMode
{
    pmNone,
    pmHorizontal,
    pmVertical,
    pmBoth
};

// A rectangle being dragged with the mouse for zoom or panning.
struct TZoomPanningRecord
{
    int X0 = 0, Y0 = 0, X1 = 0, Y1 = 0;
    bool Active = false;
};

class TCustomChartPanelExtended : public TCustomChartPanel
{
public:
    using TCustomChartPanel::TCustomChartPanel;

    bool AllowZoom() const { return allowZoom_; }
    TPanningMode AllowPanning() const { return allowPanning_; }
    bool AnimatedZoom() const { return animatedZoom_; }
    int AnimatedZoomSteps() const { return animatedZoomSteps_; }
    int MaxPointsPerPage() const { return maxPointsPerPage_; }
    int Page() const { return page_; }
    bool ScaleLastPage() const { return scaleLastPage_; }

    void SetAllowZoom(bool value) { allowZoom_ = value; }
    void SetAllowPanning(TPanningMode value) { allowPanning_ = value; }
    void SetAnimatedZoom(bool value) { animatedZoom_ = value; }
    void SetAnimatedZoomSteps(int value) { animatedZoomSteps_ = value; }
    // Not negative, or ChartException; then Page is lowered to the number of pages.
    void SetMaxPointsPerPage(int value);
    void SetPage(int value) { SetProperty(page_, value); }
    void SetScaleLastPage(bool value) { SetProperty(scaleLastPage_, value); }

    // Pages of the axis ranges: 1 without paging or without series points.
    virtual int NumPages() const { return 1; }

    TZoomPanningRecord& Zoom() { return zoom_; }
    TZoomPanningRecord& Panning() { return panning_; }

private:
    bool allowZoom_ = true;
    TPanningMode allowPanning_ = pmBoth;
    bool animatedZoom_ = false;
    int animatedZoomSteps_ = 8;
    int maxPointsPerPage_ = 0;
    int page_ = 1;
    bool scaleLastPage_ = true;
    TZoomPanningRecord zoom_;
    TZoomPanningRecord panning_;
};

} // namespace tallyrun
