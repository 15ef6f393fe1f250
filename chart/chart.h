// The chart window control placed on a form: the complete chart panel.
#pragma once

#include "chart/custom_chart.h"

namespace tallyrun {

class TChart : public TCustomChart
{
public:
    // 400 x 250 pixels, 3D on at 15 % depth, margins 3, 4, 3, 4 percent; repaint requests
    // are honoured from here on.
    explicit TChart(QWidget* parent = nullptr) : TCustomChart(parent) { EnableRepaints(); }
};

} // namespace tallyrun
