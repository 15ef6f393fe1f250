#include "chart/chart_panel_extended.h"

#include "chart/chart_exception.h"

#include <QCoreApplication>

namespace tallyrun {

void TCustomChartPanelExtended::SetMaxPointsPerPage(int value)
{
    if (value < 0)
        throw ChartException(QCoreApplication::translate(
                                 "TCustomChart", "MaxPointsPerPage は 0 以上でなければなりません")
                                 .toStdString());
    SetProperty(maxPointsPerPage_, value);
    if (page_ > NumPages())
        SetPage(NumPages());
}

} // namespace tallyrun
