#include "support/program_chart.h"

namespace tallyrun::support {

void SetUpProgramChart(TChart& chart)
{
    chart.resize(590, 364);
    chart.SetBevelOuter(bvLowered);
    chart.SetBevelInner(bvRaised);
    chart.SetChart3DPercent(20);
    chart.View3DOptions().SetElevation(315);
    chart.View3DOptions().SetRotation(360);
    chart.View3DOptions().SetPerspective(0);
    chart.View3DOptions().SetOrthogonal(false);
    chart.Title().SetVisible(false);
}

} // namespace tallyrun::support
