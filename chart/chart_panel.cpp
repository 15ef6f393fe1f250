#include "chart/chart_panel.h"

#include "base/handler_errors.h"
#include "chart/bmp_encoder.h"
#include "chart/chart_exception.h"
#include "chart/chart_math.h"
#include "platform/atomic_file.h"

#include <QCoreApplication>
#include <QPainter>

namespace tallyrun {

TCustomChartPanel::TCustomChartPanel(QWidget* parent)
    : QWidget(parent), view3DOptions_(std::make_unique<TView3DOptions>(this)),
      canvas_(std::make_unique<TChartCanvas3D>(this))
{
    resize(400, 250);
    // Painting always covers the whole client area: no background erase before it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

TCustomChartPanel::~TCustomChartPanel() = default;

void TCustomChartPanel::SetChart3DPercent(int value)
{
    if (value < 1 || value > 100)
        throw ChartException(
            QCoreApplication::translate("TCustomChart",
                                        "３次元効果の割合は 1 から 100 の間でなければなりません")
                .toStdString());
    SetProperty(chart3DPercent_, value);
}

void TCustomChartPanel::RequestChartRepaint()
{
    // A series may change its own points while it is being drawn (the pie's grouped slice,
    // its exploded biggest slice); the frame in hand already shows that, and a request here
    // would paint again and again.
    if (!repaintsEnabled_ || painting_)
        return;
    paintFailed_ = false;
    canvas_->MarkDirty();
    update();
}

void TCustomChartPanel::RecalcPlot()
{
    TChartRect& r = plotRect_;
    r.left = std::max(r.left, panelBounds_.left);
    r.top = std::max(r.top, panelBounds_.top);
    if (r.right < r.left)
        r.right = r.left + 1;
    else if (r.right == r.left)
        r.right = r.left + width();
    if (r.bottom < r.top)
        r.bottom = r.top + 1;
    else if (r.bottom == r.top)
        r.bottom = r.top + height();
    plotWidth_ = r.right - r.left;
    plotHeight_ = r.bottom - r.top;
    plotCentreX_ = (r.left + r.right) / 2;
    plotCentreY_ = (r.top + r.bottom) / 2;
}

void TCustomChartPanel::PaintTo(QPainter* target, const TChartRect& userRect)
{
    panelBounds_ = canvas_->BeginFrame(target, view3DOptions_.get(), color_, userRect, view3D_);
    const int w = panelBounds_.Width(), h = panelBounds_.Height();
    plotRect_ = {panelBounds_.left + borderWidth_ + MulDiv(marginLeft_, w, 100),
                 panelBounds_.top + borderWidth_ + MulDiv(marginTop_, h, 100),
                 panelBounds_.right - borderWidth_ - MulDiv(marginRight_, w, 100),
                 panelBounds_.bottom - borderWidth_ - MulDiv(marginBottom_, h, 100)};
    RecalcPlot();
    painting_ = true;
    try {
        DrawChart();
    } catch (...) {
        painting_ = false;
        throw;
    }
    painting_ = false;
    canvas_->PresentFrame(target, nullptr, userRect);
}

void TCustomChartPanel::PaintRequest(QPainter* window)
{
    canvas_->SetTarget(window);
    // A hidden panel gets its resize event only when shown: a buffer of another size is stale.
    if (canvas_->Buffer().size() != size())
        canvas_->MarkDirty();
    try {
        if (!canvas_->RepaintFromBuffer())
            PaintTo(window, {0, 0, width(), height()});
    } catch (...) {
        // The window's painter goes with the paint event: the canvas must not keep it.
        canvas_->SetTarget(nullptr);
        throw;
    }
    canvas_->SetTarget(nullptr);
}

void TCustomChartPanel::paintEvent(QPaintEvent*)
{
    // A drawing that failed would fail again at every exposure, each time with another error
    // box: it is tried again only once the chart has changed.
    if (paintFailed_)
        return;
    RunPaintHandler([this] {
        QPainter painter(this);
        try {
            PaintRequest(&painter);
        } catch (...) {
            paintFailed_ = true;
            throw;
        }
    });
}

void TCustomChartPanel::resizeEvent(QResizeEvent* event)
{
    RunHandler([this, event] {
        QWidget::resizeEvent(event);
        RequestChartRepaint();
    });
}

void TCustomChartPanel::PrepareBrush(TColor colour, Qt::BrushStyle style, TColor backgroundColour)
{
    TCanvasBrush& brush = canvas_->Brush();
    if (style != Qt::SolidPattern && colour == backgroundColour)
        brush.color = backgroundColour == clBlack ? clWhite : clBlack;
    else
        brush.color = colour;
    brush.style = style;
    if (style == Qt::SolidPattern) {
        canvas_->SetBackgroundMode(bkTransparent);
    } else {
        canvas_->SetBackgroundMode(bkOpaque);
        canvas_->SetBackgroundColour(backgroundColour);
    }
}

QImage TCustomChartPanel::RenderBitmap(TColor colour, const TChartRect& rect)
{
    QImage bitmap(std::max(0, rect.Width()), std::max(0, rect.Height()), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    if (colour != clWhite)
        bitmap.fill(ColorToQColor(colour));
    const bool buffered = canvas_->Buffered();
    canvas_->SetBuffered(false);
    if (!bitmap.isNull()) {
        QPainter painter(&bitmap);
        // The chart's own rectangle lands on the bitmap's top-left corner.
        painter.translate(-rect.left, -rect.top);
        PaintTo(&painter, rect);
    }
    canvas_->SetBuffered(buffered);
    return bitmap;
}

void TCustomChartPanel::ExportBitmapFile(const std::string& fileName)
{
    const std::string bytes = EncodeBmp(RenderBitmap(clWhite, {0, 0, width(), height()}));
    platform::SaveFileAtomically(fileName, bytes);
}

} // namespace tallyrun
