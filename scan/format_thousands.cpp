#include "scan/number_format.h"
#include "scan/string_helpers.h"

#include <QLocale>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

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
    char buffer[400];
    const char* digits = buffer;
    std::size_t count = 0;
    if (rounded < 1e19) {
        // Byte totals are whole numbers well inside 64 bits: skip the slow float printing. The
        // digits are written two at a time from the last one back (every log line has one).
        static constexpr char kPairs[] = "00010203040506070809101112131415161718192021222324"
                                         "25262728293031323334353637383940414243444546474849"
                                         "50515253545556575859606162636465666768697071727374"
                                         "75767778798081828384858687888990919293949596979899";
        char* const end = buffer + 24;
        char* at = end;
        auto v = static_cast<std::uint64_t>(rounded);
        for (; v >= 100; v /= 100) {
            at -= 2;
            std::memcpy(at, kPairs + 2 * (v % 100), 2);
        }
        if (v >= 10) {
            at -= 2;
            std::memcpy(at, kPairs + 2 * v, 2);
        } else {
            *--at = static_cast<char>('0' + v);
        }
        digits = at;
        count = static_cast<std::size_t>(end - at);
    } else {
        count = static_cast<std::size_t>(std::snprintf(buffer, sizeof buffer, "%.0f", rounded));
    }
    // Written in place: the first group holds 1 to 3 digits, every later one 3 after a separator.
    const std::size_t group = count % 3 == 0 ? 3 : count % 3;
    const std::size_t length = (x < 0 ? 1u : 0u) + count + (count - group) / 3 * separator.size();
    const std::size_t start = out.size();
    out.resize(start + length);
    char* to = out.data() + start;
    if (x < 0)
        *to++ = '-';
    std::memcpy(to, digits, group);
    to += group;
    for (std::size_t i = group; i < count; i += 3) {
        separator.copy(to, separator.size());
        to += separator.size();
        std::memcpy(to, digits + i, 3);
        to += 3;
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
