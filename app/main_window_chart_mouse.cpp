// The chart's mouse in the main window: a click focuses the chart, the wheel zooms it and a
// drag with any button moves it, keeping the point under the mouse.
#include "app/main_window.h"

#include "base/handler_errors.h"

#include <QMouseEvent>

namespace tallyrun {

namespace {

constexpr std::int32_t kZoomStep = 10; // percent per wheel step

} // namespace

void TfrmMain::ConnectChartHandlers()
{
    // The chart runs each of these through the handler boundary itself.
    Chart1->OnClick = [this] { Chart1Click(); };
    Chart1->OnMouseWheelUp = [this](Qt::KeyboardModifiers, int, int) { Chart1MouseWheelUp(); };
    Chart1->OnMouseWheelDown = [this](Qt::KeyboardModifiers, int, int) { Chart1MouseWheelDown(); };
    Chart1->OnMouseDown = [this](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        Chart1MouseDown(x, y);
    };
    Chart1->OnMouseMove = [this](Qt::KeyboardModifiers, int x, int y) { Chart1MouseMove(x, y); };
    Chart1->OnMouseUp = [this](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        Chart1MouseUp();
    };
    // Our own addition, the drill-down (main_window_drill_down.cpp): the double-click only
    // arms it here, and the release that follows completes it.
    Chart1->OnDblClick = [this](Qt::MouseButton button, Qt::KeyboardModifiers, int x, int y) {
        Chart1DblClick(button, x, y);
    };
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event)
{
    // QorShTreeView1Click: a click in the folder pane hands the keyboard focus to the chart,
    // so that the wheel zooms the chart after it.
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        RunHandler([this] { Chart1->setFocus(Qt::MouseFocusReason); });
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::Chart1Click()
{
    Chart1->setFocus(Qt::MouseFocusReason);
}

void TfrmMain::Chart1MouseWheelUp()
{
    TView3DOptions& view = Chart1->View3DOptions();
    view.SetZoom(view.Zoom() + kZoomStep);
}

void TfrmMain::Chart1MouseWheelDown()
{
    TView3DOptions& view = Chart1->View3DOptions();
    view.SetZoom(view.Zoom() - kZoomStep);
}

void TfrmMain::Chart1MouseDown(int x, int y)
{
    const TView3DOptions& view = Chart1->View3DOptions();
    ChartDragging = true;
    chartDoubleClick_.Press({x, y});
    DragStartX = x - view.HorizOffset();
    DragStartY = y - view.VertOffset();
}

void TfrmMain::Chart1MouseMove(int x, int y)
{
    if (!ChartDragging)
        return;
    chartDoubleClick_.Move({x, y});
    TView3DOptions& view = Chart1->View3DOptions();
    view.SetHorizOffset(x - DragStartX);
    view.SetVertOffset(y - DragStartY);
}

void TfrmMain::Chart1MouseUp()
{
    ChartDragging = false;
    if (const std::optional<TChartPoint> point = chartDoubleClick_.Release())
        DrillDownAt(*point);
}

} // namespace tallyrun
