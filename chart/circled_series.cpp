#include "chart/circled_series.h"

#include "chart/axis_panel.h"
#include "chart/pie_exception.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <numbers>
#include <typeinfo>

namespace tallyrun {

namespace {

// How many times a screen pixel is taller than wide: 1 for square pixels or when the screen
// does not say.
double ScreenPixelAspect()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 1;
    const double across = screen->physicalDotsPerInchX();
    const double down = screen->physicalDotsPerInchY();
    return across > 0 && down > 0 ? across / down : 1;
}

} // namespace

TCircledSeries::TCircledSeries()
{
    XValues().SetName("Angle");
}

TCircledSeries::~TCircledSeries()
{
    if (ParentChart())
        SwitchChartLook(TChartLook::Standard);
}

TCustomAxisPanel* TCircledSeries::Chart() const
{
    return dynamic_cast<TCustomAxisPanel*>(ParentChart());
}

template <typename T> void TCircledSeries::SetShared(T TCircledSeries::*field, T value)
{
    if (this->*field == value)
        return;
    this->*field = value;
    RequestRepaint();
    if (TCustomAxisPanel* chart = Chart())
        for (TChartSeries* series : chart->SeriesList())
            if (series != this && typeid(*series) == typeid(*this)) {
                auto* other = static_cast<TCircledSeries*>(series);
                other->*field = value;
            }
}

void TCircledSeries::SetCircled(bool value)
{
    SetShared(&TCircledSeries::circled_, value);
}
void TCircledSeries::SetCustomXRadius(int value)
{
    SetShared(&TCircledSeries::customXRadius_, value);
}
void TCircledSeries::SetCustomYRadius(int value)
{
    SetShared(&TCircledSeries::customYRadius_, value);
}

void TCircledSeries::SetRotationAngle(int value)
{
    if (value < 0)
        throw PieException(QCoreApplication::translate(
                               "TCircledSeries", "回転の角度は 0 から 359 の間でなければなりません")
                               .toStdString());
    SetAndRepaint(rotationAngle_, value % 360);
}

double TCircledSeries::RotationRadians() const
{
    return rotationAngle_ * std::numbers::pi / 180;
}

TColor TCircledSeries::ResolvedCircleBackColor() const
{
    if (circleBackColor_ != clAutomatic)
        return circleBackColor_;
    const TCustomAxisPanel* chart = Chart();
    if (!chart)
        return clWhite;
    return chart->BackColor() != clAutomatic ? chart->BackColor() : chart->Color();
}

void TCircledSeries::SetParentChart(TChartParent* chart)
{
    if (chart == ParentChart())
        return;
    // Restored while this series is still on the chart, so the chart counts it as round.
    if (ParentChart() && Active())
        SwitchChartLook(TChartLook::Standard);
    TChartSeries::SetParentChart(chart);
    if (ParentChart() && Active())
        SwitchChartLook(TChartLook::Round);
}

void TCircledSeries::SetActive(bool value)
{
    if (value == Active())
        return;
    TChartSeries::SetActive(value);
    if (ParentChart())
        SwitchChartLook(value ? TChartLook::Round : TChartLook::Standard);
}

void TCircledSeries::SwitchChartLook(TChartLook look)
{
    const bool restore = look == TChartLook::Standard;
    TCustomAxisPanel* chart = Chart();
    if (!chart || chart->IsChartDestroying())
        return;
    if (restore) {
        const auto& list = chart->SeriesList();
        const bool anyRound = std::any_of(list.begin(), list.end(), [](TChartSeries* s) {
            return dynamic_cast<TCircledSeries*>(s) != nullptr;
        });
        if (!list.empty() && !anyRound)
            return;
    }
    const bool v = restore;
    chart->SetAxisVisible(v);
    chart->SetClipPoints(v);
    chart->SetView3DWalls(v);
    TChartPen frame = chart->Frame();
    frame.Visible = v;
    chart->SetFrame(frame);
    chart->BackWall().SetBrushStyle(v ? Qt::SolidPattern : Qt::NoBrush);
    chart->SetAllowZoom(v);
    chart->SetAllowPanning(v ? pmBoth : pmNone);
    TView3DOptions& view = chart->View3DOptions();
    view.SetOrthogonal(false);
    view.SetRotation(360);
    view.SetElevation(315);
    view.SetPerspective(0);
    view.SetTilt(0);
}

int TCircledSeries::WidestMarkText() const
{
    TCustomAxisPanel* chart = Chart();
    if (!chart)
        return 0;
    TChartCanvas3D& canvas = chart->Canvas();
    int widest = 0;
    for (TChartSeries* series : chart->SeriesList()) {
        if (!series->Active())
            continue;
        for (int i = 0; i < series->PointCount(); ++i)
            widest = std::max(widest, canvas.MeasureWidth(series->BuildMarkText(i)));
    }
    return canvas.MeasureWidth("W") + widest;
}

void TCircledSeries::BeginDrawValues()
{
    TChartSeries::BeginDrawValues();
    TCustomAxisPanel* chart = Chart();
    if (!chart)
        return;
    circle_.CircleBox = chart->PlotRect();
    circle_.NormalizeCircleRect();
    if (Marks().Visible()) {
        int m = Marks().ArrowLength();
        if (Marks().Frame().Visible)
            m += 2 * Marks().Frame().Width;
        TChartCanvas3D& canvas = chart->Canvas();
        canvas.Font() = Marks().Font();
        const int h = canvas.LineHeight();
        const int w = WidestMarkText();
        circle_.CircleBox.top += h + m;
        circle_.CircleBox.bottom -= h + m;
        circle_.CircleBox.left += w + m;
        circle_.CircleBox.right -= w + m;
        circle_.NormalizeCircleRect();
    }
    if (circled_) {
        circle_.ComputeRadii(customXRadius_, customYRadius_);
        circle_.MakeCircular(ScreenPixelAspect());
    }
    circle_.ComputeRadii(customXRadius_, customYRadius_);
}

} // namespace tallyrun
