// The errors the chart engine raises when a property is set out of range; the property keeps
// its value.
#pragma once

#include <stdexcept>
#include <string>

namespace tallyrun {

// Raised by the chart panel's own properties.
class ChartException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Raised by the legend's properties.
class LegendException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace tallyrun
