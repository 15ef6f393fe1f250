// What every round series needs: the circle worked out from the chart's plot rectangle (with
// room for the marks and kept round on the screen), the rotation, custom radii and the back
// colour, and the chart's pie look while the series is on it.
#pragma once

#include "chart/chart_series.h"
#include "chart/pie_geometry.h"

namespace tallyrun {

class TCustomAxisPanel;

class TCircledSeries : public TChartSeries
{
public:
    TCircledSeries();
    ~TCircledSeries() override;

    bool Circled() const { return circled_; }
    int RotationAngle() const { return rotationAngle_; }
    int CustomXRadius() const { return customXRadius_; }
    int CustomYRadius() const { return customYRadius_; }
    TColor CircleBackColor() const { return circleBackColor_; }

    // Circled and the custom radii are also copied to every other series of the same class on
    // the same chart.
    void SetCircled(bool value);
    void SetCustomXRadius(int value);
    void SetCustomYRadius(int value);
    // Degrees; 360 or more is kept modulo 360; a negative angle raises PieException and the
    // angle stays.
    void SetRotationAngle(int value);
    void SetCircleBackColor(TColor value) { SetAndRepaint(circleBackColor_, value); }

    // Arriving on a chart, or becoming active on one, gives the chart the pie look; leaving
    // it, or becoming inactive, gives the chart back its axes, walls, zoom and panning.
    void SetParentChart(TChartParent* chart) override;
    void SetActive(bool value) override;

    // The circle of the current paint.
    const TPieCircle& Circle() const { return circle_; }
    double RotationRadians() const;
    TScreenPoint PointAtAngle(double angle, int rx, int ry) const
    {
        return circle_.PointAtAngle(angle, rx, ry, RotationRadians());
    }
    // The colour behind hatched slices and legend symbols: CircleBackColor, else the chart's
    // back colour, else the chart's colour.
    TColor ResolvedCircleBackColor() const;

    // The circle from the plot rectangle, less the marks' room, made round when Circled.
    void BeginDrawValues() override;

protected:
    // The chart drawing this series, or null.
    TCustomAxisPanel* Chart() const;
    TPieCircle& MutableCircle() { return circle_; }
    // The width of "W" plus the widest mark text of every active series of the chart, in the
    // canvas font.
    int WidestMarkText() const;

private:
    template <typename T> void SetShared(T TCircledSeries::*field, T value);
    // The look a chart takes while a round series is on it, or the standard look it gets
    // back once none is left.
    enum class TChartLook
    {
        Round,
        Standard
    };
    void SwitchChartLook(TChartLook look);

    bool circled_ = false;
    int rotationAngle_ = 0;
    int customXRadius_ = 0;
    int customYRadius_ = 0;
    TColor circleBackColor_ = clAutomatic;
    TPieCircle circle_;
};

} // namespace tallyrun
