// The panel's mouse input: the owning window's handlers first, then the panel's own part.
// Every event runs through the handler boundary, and so does each handler the panel calls:
// an error in the window's handler is shown and the panel's own handling still goes on.
#include "chart/axis_panel.h"

#include "base/handler_errors.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace tallyrun {

namespace {

QPoint EventPoint(const QSinglePointEvent* event)
{
    return event->position().toPoint();
}

TSeriesMouseButton SeriesButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::RightButton:
        return smbRight;
    case Qt::MiddleButton:
        return smbMiddle;
    default:
        return smbLeft;
    }
}

// Calls `handler` when it is assigned; what it raises is shown.
template <class Handler, class... Args> void CallHandler(const Handler& handler, Args... args)
{
    if (handler)
        RunHandler([&] { handler(args...); });
}

} // namespace

void TCustomAxisPanel::showEvent(QShowEvent* event)
{
    RunHandler([this, event] {
        TCustomChartPanelExtended::showEvent(event);
        if (!panelCursorKnown_) {
            panelCursor_ = cursor();
            panelCursorKnown_ = true;
        }
    });
}

TChartSeries* TCustomAxisPanel::SeriesAt(int x, int y, int* index) const
{
    for (auto it = series_.rbegin(); it != series_.rend(); ++it) {
        if (!(*it)->Active())
            continue;
        const int clicked = (*it)->Clicked(x, y);
        if (clicked >= 0) {
            *index = clicked;
            return *it;
        }
    }
    return nullptr;
}

void TCustomAxisPanel::mousePressEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        const QPoint p = EventPoint(event);
        pressedInside_ = true;
        CallHandler(OnMouseDown, event->button(), event->modifiers(), p.x(), p.y());
        if (Zoom().Active || Panning().Active)
            return;
        int index = -1;
        if (ClickedLegend(p.x(), p.y())) {
            CallHandler(OnClickLegend, event->button(), event->modifiers(), p.x(), p.y());
        } else if (TChartSeries* series = SeriesAt(p.x(), p.y(), &index)) {
            CallHandler(series->OnClick, std::ref(*series), index, SeriesButton(event->button()),
                        static_cast<unsigned>(event->modifiers().toInt()), p.x(), p.y());
        } else {
            CallHandler(OnClickBackground, event->button(), event->modifiers(), p.x(), p.y());
        }
        if (event->button() == Qt::LeftButton && AllowZoom())
            Zoom() = {p.x(), p.y(), p.x(), p.y(), true};
        else if (event->button() == Qt::RightButton && AllowPanning() != pmNone)
            Panning() = {p.x(), p.y(), p.x(), p.y(), true};
    });
}

void TCustomAxisPanel::mouseMoveEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        const QPoint p = EventPoint(event);
        CallHandler(OnMouseMove, event->modifiers(), p.x(), p.y());
        if (Zoom().Active || Panning().Active) {
            TZoomPanningRecord& record = Zoom().Active ? Zoom() : Panning();
            record.X1 = p.x();
            record.Y1 = p.y();
            return;
        }
        int index = -1;
        TChartSeries* series = SeriesAt(p.x(), p.y(), &index);
        if (series && series->Cursor() != Qt::ArrowCursor)
            setCursor(series->Cursor());
        else if (panelCursorKnown_)
            setCursor(panelCursor_);
    });
}

void TCustomAxisPanel::mouseReleaseEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        const QPoint p = EventPoint(event);
        // Zoom and panning end with the button; this program never starts them.
        Zoom().Active = false;
        Panning().Active = false;
        const bool click = pressedInside_ && rect().contains(p);
        pressedInside_ = false;
        if (click && event->button() == Qt::LeftButton)
            CallHandler(OnClick);
        CallHandler(OnMouseUp, event->button(), event->modifiers(), p.x(), p.y());
    });
}

void TCustomAxisPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        // The toolkit sends the second press of a double-click as the double-click alone; it
        // is a press like any other first (it starts a drag), then the double-click is
        // reported.
        mousePressEvent(event);
        const QPoint p = EventPoint(event);
        CallHandler(OnDblClick, event->button(), event->modifiers(), p.x(), p.y());
    });
}

void TCustomAxisPanel::wheelEvent(QWheelEvent* event)
{
    RunHandler([this, event] {
        const QPoint p = EventPoint(event);
        const int delta = event->angleDelta().y();
        // Touchpads and fine wheels send many small deltas: they add up, and each full step
        // of 120 is one handler call. A turn the other way starts a new sum.
        if ((delta > 0 && wheelDelta_ < 0) || (delta < 0 && wheelDelta_ > 0))
            wheelDelta_ = 0;
        wheelDelta_ += delta;
        while (wheelDelta_ >= kWheelStep || wheelDelta_ <= -kWheelStep) {
            const bool up = wheelDelta_ > 0;
            wheelDelta_ -= up ? kWheelStep : -kWheelStep;
            CallHandler(up ? OnMouseWheelUp : OnMouseWheelDown, event->modifiers(), p.x(), p.y());
        }
        // The vertical axes would scroll by 3 % of their range here; axes are not drawn.
        event->accept();
    });
}

void TCustomAxisPanel::leaveEvent(QEvent* event)
{
    RunHandler([this, event] {
        TCustomChartPanelExtended::leaveEvent(event);
        if (panelCursorKnown_)
            setCursor(panelCursor_);
        Panning().Active = false;
    });
}

} // namespace tallyrun
