#include "chart/number_format.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tallyrun {

namespace {

// What the pattern asks for.
struct TPicture
{
    int minInteger = 0;  // integer digits always shown
    int maxFraction = 0; // fraction digits at most
    int minFraction = 0; // fraction digits always shown
    bool grouped = false;
    bool anyDigit = false;
};

TPicture ReadPicture(const std::string& pattern)
{
    TPicture picture;
    bool fraction = false;
    bool zeroSeen = false;
    for (const char c : pattern) {
        if (c == '.' && !fraction) {
            fraction = true;
        } else if (c == '0' || c == '#') {
            picture.anyDigit = true;
            if (fraction) {
                ++picture.maxFraction;
                if (c == '0')
                    picture.minFraction = picture.maxFraction;
            } else {
                zeroSeen = zeroSeen || c == '0';
                if (zeroSeen)
                    ++picture.minInteger;
            }
        } else if (c == ',' && !fraction) {
            picture.grouped = true;
        }
    }
    return picture;
}

// The magnitude of `value` as integer digits and `fractionDigits` fraction digits, rounded half
// up from its 18 significant decimal digits.
void SplitDigits(double magnitude, int fractionDigits, std::string& integer, std::string& fraction)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17e", magnitude);
    std::string digits;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            digits.push_back(*p);
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    // Digits before the decimal point in `digits` (may be <= 0 or beyond its length).
    int point = magnitude == 0 ? 1 : exponent + 1;
    if (point < 0) {
        digits.insert(0, static_cast<std::size_t>(-point), '0');
        point = 0;
    }
    const int keep = point + fractionDigits;
    if (static_cast<int>(digits.size()) < keep)
        digits.append(static_cast<std::size_t>(keep) - digits.size(), '0');
    const bool roundUp = keep < static_cast<int>(digits.size()) && digits[keep] >= '5';
    digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
        int k = keep - 1;
        while (k >= 0 && digits[static_cast<std::size_t>(k)] == '9')
            digits[static_cast<std::size_t>(k--)] = '0';
        if (k >= 0) {
            ++digits[static_cast<std::size_t>(k)];
        } else {
            digits.insert(digits.begin(), '1');
            ++point;
        }
    }
    integer = digits.substr(0, static_cast<std::size_t>(point));
    fraction = digits.substr(static_cast<std::size_t>(point));
    const std::size_t firstSignificant = integer.find_first_not_of('0');
    integer = firstSignificant == std::string::npos ? "" : integer.substr(firstSignificant);
}

std::string Grouped(const std::string& digits, const std::string& separator)
{
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out.push_back(digits[i]);
    }
    return out;
}

} // namespace

TNumberSeparators UserNumberSeparators()
{
    const QLocale locale;
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString()};
}

std::string FormatFloat(const std::string& pattern, double value,
                        const TNumberSeparators& separators)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    const TPicture picture = ReadPicture(pattern);
    std::string integer, fraction;
    SplitDigits(std::fabs(value), picture.maxFraction, integer, fraction);
    while (static_cast<int>(fraction.size()) > picture.minFraction && fraction.back() == '0')
        fraction.pop_back();
    if (static_cast<int>(integer.size()) < picture.minInteger)
        integer.insert(0, static_cast<std::size_t>(picture.minInteger) - integer.size(), '0');
    const bool negative = value < 0 && (integer.find_first_not_of('0') != std::string::npos ||
                                        fraction.find_first_not_of('0') != std::string::npos);
    if (picture.grouped)
        integer = Grouped(integer, separators.thousands);

    std::string out;
    bool fractionPart = false;
    bool integerWritten = false;
    std::size_t nextFraction = 0;
    const auto writeInteger = [&] {
        if (integerWritten)
            return;
        if (negative)
            out += '-';
        out += integer;
        integerWritten = true;
    };
    for (const char c : pattern) {
        if (c == '.' && !fractionPart) {
            writeInteger();
            fractionPart = true;
            if (!fraction.empty())
                out += separators.decimal;
        } else if (c == '0' || c == '#') {
            if (!fractionPart)
                writeInteger();
            else if (nextFraction < fraction.size())
                out.push_back(fraction[nextFraction++]);
        } else if (c == ',' && !fractionPart) {
            // Grouping is written with the integer digits.
        } else {
            out.push_back(c);
        }
    }
    if (!picture.anyDigit)
        writeInteger();
    return out;
}

std::string FormatFloat(const std::string& pattern, double value)
{
    return FormatFloat(pattern, value, UserNumberSeparators());
}

std::string FormatIndexed(const std::string& pattern, const std::string& arg0,
                          const std::string& arg1)
{
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 4, "%0:s") == 0) {
            out += arg0;
            i += 3;
        } else if (pattern.compare(i, 4, "%1:s") == 0) {
            out += arg1;
            i += 3;
        } else {
            out.push_back(pattern[i]);
        }
    }
    return out;
}

} // namespace tallyrun
