#include <QLocale>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "scan/number_format.h"
#include "scan/string_helpers.h"

namespace tallyrun {

std::string GroupSeparatorOfUserLocale()
{
    return QLocale().groupSeparator().toStdString();
}

std::string FormatGrouped(double x, const std::string& separator)
{
    const double rounded = std::round(std::fabs(x));  // halves away from zero
    if (!(rounded >= 1.0))                             // zero, and also NaN, give "0"
        return "0";
    char digits[400];
    int count = 0;
    if (rounded < 1e19) {
        // Byte totals are whole numbers well inside 64 bits: skip the slow float printing.
        char reversed[24];
        for (auto v = static_cast<std::uint64_t>(rounded); v != 0; v /= 10)
            reversed[count++] = static_cast<char>('0' + v % 10);
        for (int i = 0; i < count; ++i)
            digits[i] = reversed[count - 1 - i];
    } else {
        count = std::snprintf(digits, sizeof digits, "%.0f", rounded);
    }
    std::string result;
    if (x < 0)
        result += '-';
    for (int i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            result += separator;
        result += digits[i];
    }
    return result;
}

std::string FormatThousands(double x)
{
    return FormatGrouped(x, GroupSeparatorOfUserLocale());
}

} // namespace tallyrun
