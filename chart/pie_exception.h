// The error the pie raises when a property is set out of range; the property keeps its value.
// It is a chart error like the panel's own.
#pragma once

#include "chart/chart_exception.h"

namespace tallyrun {

class PieException : public ChartException
{
public:
    using ChartException::ChartException;
};

} // namespace tallyrun
