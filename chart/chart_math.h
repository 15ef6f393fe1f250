// The integer arithmetic of the chart engine: rounding halves to even, and MulDiv.
#pragma once

#include <cmath>
#include <cstdint>

namespace tallyrun {

// Nearest integer, halves to even (2.5 -> 2, 3.5 -> 4). Values beyond the 32-bit range are
// held at its ends and NaN gives 0, so an absurd zoom cannot overflow a coordinate.
inline std::int32_t RoundHalfEven(double value)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded == rounded))
        return 0;
    if (rounded >= 2147483647.0)
        return INT32_MAX;
    if (rounded <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(rounded);
}

// A 64-bit sum or product held within the 32-bit range.
inline std::int32_t ClampToInt32(std::int64_t value)
{
    return value > INT32_MAX   ? INT32_MAX
           : value < INT32_MIN ? INT32_MIN
                               : static_cast<std::int32_t>(value);
}

// a * b / c on a 64-bit product, rounded to the nearest integer with halves away from zero;
// -1 when c is 0, as the platform's own MulDiv answers.
inline std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c)
{
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const std::int64_t absProduct = product < 0 ? -product : product;
    const std::int64_t absDivisor = divisor < 0 ? -divisor : divisor;
    const std::int64_t quotient = (absProduct + absDivisor / 2) / absDivisor;
    return ClampToInt32(negative ? -quotient : quotient);
}

} // namespace tallyrun
