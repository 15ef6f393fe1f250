#include "app/main_chart_settings.h"

#include "base/fonts.h"

#include <QCoreApplication>

namespace tallyrun {

namespace {

// The font of the legend and the marks.
QFont MainChartFont()
{
    QFont mincho(MinchoFaceName());
    mincho.setPixelSize(12);
    return mincho;
}

} // namespace

void ApplyMainChartSettings(TMainChart& chart)
{
    chart.setCursor(Qt::PointingHandCursor);
    chart.setFocusPolicy(Qt::StrongFocus);
    chart.SetAllowPanning(pmNone);
    chart.SetAllowZoom(false);
    chart.SetAnimatedZoom(true);
    chart.Title().SetVisible(false);
    chart.SetAxisVisible(false);
    TChartPen hidden = chart.Frame();
    hidden.Visible = false;
    chart.SetFrame(hidden);
    chart.BackWall().SetPen(hidden);
    chart.BackWall().SetBrushColor(clWhite);
    chart.BackWall().SetBrushStyle(Qt::NoBrush);
    chart.SetView3DWalls(false);
    chart.SetChart3DPercent(20);
    chart.SetClipPoints(false);
    chart.SetMaxPointsPerPage(1);
    TView3DOptions& view = chart.View3DOptions();
    view.SetElevation(315);
    view.SetRotation(360);
    view.SetPerspective(0);
    view.SetOrthogonal(false);
    chart.SetView3D(true);
    chart.SetBevelInner(bvRaised);
    chart.SetBevelOuter(bvLowered);
    chart.Legend().SetFont(MainChartFont());
    chart.Legend().SetFontColor(clBlack);
}

void ApplyMainSeriesSettings(TMainChart& chart, TMainPieSeries& series)
{
    const QFont mincho = MainChartFont();
    TSeriesMarks& marks = series.Marks();
    marks.SetVisible(true);
    marks.SetStyle(smsLabelPercent);
    marks.SetArrowLength(8);
    marks.SetFont(mincho);
    marks.SetFontColor(clBlack);
    series.SetSeriesColor(clRed);
    series.SetCircled(true);
    series.OtherSlice().SetText(QCoreApplication::translate("TfrmMain", "その他").toStdString());
    series.PieValues().SetName("円");
    series.PieValues().SetMultiplier(1);
    series.PieValues().SetOrder(loDescending);
    series.PieValues().SetDateTime(false);
    series.SetParentChart(&chart);
}

void ApplyMainChartSettings(TMainChart& chart, TMainPieSeries& series)
{
    ApplyMainChartSettings(chart);
    ApplyMainSeriesSettings(chart, series);
}

} // namespace tallyrun
