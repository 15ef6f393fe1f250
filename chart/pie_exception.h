// The error the pie raises when a property is set out of range; the property keeps its value.
#pragma once

#include <stdexcept>

namespace tallyrun {

class PieException : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace tallyrun
