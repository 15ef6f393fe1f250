#include "scan/number_format.h"
#include "scan/string_helpers.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace tallyrun {

std::string GroupSeparatorOfUserLocale()
{
    return QLocale().groupSeparator().toStdString();
}

void AppendGrouped(double x, std::string_view separator, std::string& out)
{
    const double rounded = std::round(std::fabs(x)); // halves away from zero
    if (!(rounded >= 1.0)) {                         // zero, and also NaN, give "0"
        out += '0';
        return;
    }
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
    // Written in place: the first group holds 1 to 3 digits, every later one 3 after a separator.
    const int group = count % 3 == 0 ? 3 : count % 3;
    const std::size_t length = (x < 0 ? 1u : 0u) + static_cast<std::size_t>(count) +
                               static_cast<std::size_t>((count - group) / 3) * separator.size();
    const std::size_t start = out.size();
    out.resize(start + length);
    char* to = out.data() + start;
    if (x < 0)
        *to++ = '-';
    for (int i = 0; i < count; ++i) {
        if (i >= group && (i - group) % 3 == 0) {
            separator.copy(to, separator.size());
            to += separator.size();
        }
        *to++ = digits[i];
    }
}

std::string FormatGrouped(double x, const std::string& separator)
{
    std::string result;
    AppendGrouped(x, separator, result);
    return result;
}

std::string FormatThousands(double x)
{
    return FormatGrouped(x, GroupSeparatorOfUserLocale());
}

} // namespace tallyrun
