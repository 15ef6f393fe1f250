#include "app/chart_double_click.h"

namespace tallyrun {

void TChartDoubleClick::Press(TChartPoint point)
{
    pressPoint_ = point;
    moved_ = false;
    armed_.reset();
}

void TChartDoubleClick::Move(TChartPoint point)
{
    if (!(point == pressPoint_))
        moved_ = true;
}

void TChartDoubleClick::DoubleClick(TChartPoint point)
{
    if (!previousMoved_)
        armed_ = point;
}

std::optional<TChartPoint> TChartDoubleClick::Release()
{
    previousMoved_ = moved_;
    std::optional<TChartPoint> done;
    if (armed_ && !moved_)
        done = armed_;
    armed_.reset();
    return done;
}

} // namespace tallyrun
