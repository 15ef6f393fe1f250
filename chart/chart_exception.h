// The error the chart panel raises when a property is set out of range; the property keeps
// its value.
#pragma once

#include <stdexcept>
#include <string>

namespace tallyrun {

class ChartException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace tallyrun
