#include "chart/number_pattern.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tallyrun {

namespace {

constexpr int kSignificantDigits = 18;

bool IsPlaceholder(char c)
{
    return c == '0' || c == '#';
}

// What the pattern asks of the number.
struct Picture
{
    std::string::size_type point = std::string::npos; // the first "."
    int integerPlaceholders = 0;
    int minIntegerDigits = 0; // placeholders from the first "0" before the point on
    int fractionPlaceholders = 0;
    int minFractionDigits = 0; // up to the last "0" after the point
    bool grouping = false;
};

Picture ReadPicture(const std::string& pattern)
{
    Picture picture;
    picture.point = pattern.find('.');
    bool zeroSeen = false;
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool integerPart = i < picture.point;
        if (integerPart && c == ',') {
            picture.grouping = true;
        } else if (IsPlaceholder(c) && integerPart) {
            ++picture.integerPlaceholders;
            zeroSeen = zeroSeen || c == '0';
            if (zeroSeen)
                ++picture.minIntegerDigits;
        } else if (IsPlaceholder(c)) {
            ++picture.fractionPlaceholders;
            if (c == '0')
                picture.minFractionDigits = picture.fractionPlaceholders;
        }
    }
    return picture;
}

// The decimal digits of |value| rounded to `fractionDigits`: the integer digits without
// leading zeros and the fraction digits, exactly `fractionDigits` of them.
struct Digits
{
    std::string integer;
    std::string fraction;
};

Digits RoundedDigits(double magnitude, int fractionDigits)
{
    // d.ddddddddddddddddde+XX: 18 significant digits and the decimal exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
    std::string mantissa;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            mantissa += *p;
    const int exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    if (magnitude == 0)
        mantissa.assign(1, '0');

    // Keep the digits down to 10^-fractionDigits, then round on the next one.
    const long keep = static_cast<long>(exponent) + fractionDigits + 1;
    std::string kept;
    bool roundUp = false;
    if (keep <= 0) {
        kept = "0";
        roundUp = keep == 0 && mantissa[0] >= '5';
    } else if (keep >= static_cast<long>(mantissa.size())) {
        kept = mantissa + std::string(static_cast<size_t>(keep) - mantissa.size(), '0');
    } else {
        kept = mantissa.substr(0, static_cast<size_t>(keep));
        roundUp = mantissa[static_cast<size_t>(keep)] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        for (; i >= 0 && kept[static_cast<size_t>(i)] == '9'; --i)
            kept[static_cast<size_t>(i)] = '0';
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<size_t>(i)];
    }
    if (kept.size() < static_cast<size_t>(fractionDigits) + 1)
        kept.insert(0, static_cast<size_t>(fractionDigits) + 1 - kept.size(), '0');
    Digits digits;
    const size_t split = kept.size() - static_cast<size_t>(fractionDigits);
    digits.integer = kept.substr(0, split);
    digits.fraction = kept.substr(split);
    const size_t first = digits.integer.find_first_not_of('0');
    digits.integer.erase(0, first == std::string::npos ? digits.integer.size() : first);
    return digits;
}

std::string GeneralForm(double value, const std::string& decimalSeparator)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    const size_t point = text.find('.');
    if (point != std::string::npos)
        text.replace(point, 1, decimalSeparator);
    return text;
}

} // namespace

std::string FormatFloat(const std::string& pattern, double value,
                        const std::string& decimalSeparator, const std::string& thousandsSeparator)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (pattern.empty())
        return GeneralForm(value, decimalSeparator);

    const Picture picture = ReadPicture(pattern);
    Digits digits = RoundedDigits(std::fabs(value), picture.fractionPlaceholders);
    const bool zero =
        digits.integer.empty() && digits.fraction.find_first_not_of('0') == std::string::npos;
    if (static_cast<int>(digits.integer.size()) < picture.minIntegerDigits)
        digits.integer.insert(
            0, static_cast<size_t>(picture.minIntegerDigits) - digits.integer.size(), '0');
    while (static_cast<int>(digits.fraction.size()) > picture.minFractionDigits &&
           digits.fraction.back() == '0')
        digits.fraction.pop_back();

    const std::string& integer = digits.integer;
    const int length = static_cast<int>(integer.size());
    std::string out;
    // Writes integer digit k (0 = leftmost) and, where a group ends, the separator.
    const auto putIntegerDigit = [&](int k) {
        out += integer[static_cast<size_t>(k)];
        const int fromRight = length - 1 - k;
        if (picture.grouping && fromRight > 0 && fromRight % 3 == 0)
            out += thousandsSeparator;
    };
    // With no integer placeholder the integer digits go just before the decimal point.
    const auto putAllIntegerDigits = [&] {
        for (int k = 0; k < length; ++k)
            putIntegerDigit(k);
    };

    int integerSeen = 0, fractionSeen = 0;
    bool integerWritten = false;
    for (std::string::size_type i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (i < picture.point) {
            if (c == ',')
                continue;
            if (!IsPlaceholder(c)) {
                out += c;
                continue;
            }
            // Placeholder n of the integer part stands for the digit at position
            // (placeholders - 1 - n) from the right; the first one also takes every
            // digit beyond the placeholders.
            const int fromRight = picture.integerPlaceholders - 1 - integerSeen++;
            const int k = length - 1 - fromRight;
            if (!integerWritten) {
                for (int j = 0; j < k; ++j)
                    putIntegerDigit(j);
                integerWritten = true;
            }
            if (k >= 0)
                putIntegerDigit(k);
        } else if (i == picture.point) {
            if (!integerWritten) {
                putAllIntegerDigits();
                integerWritten = true;
            }
            if (!digits.fraction.empty())
                out += decimalSeparator;
        } else if (IsPlaceholder(c)) {
            if (fractionSeen < static_cast<int>(digits.fraction.size()))
                out += digits.fraction[static_cast<size_t>(fractionSeen)];
            ++fractionSeen;
        } else {
            out += c;
        }
    }
    if (!integerWritten && picture.fractionPlaceholders == 0 && picture.integerPlaceholders == 0)
        return out; // a pattern without digits shows no number, and so no sign
    if (value < 0 && !zero)
        return std::string(1, '-') + out;
    return out;
}

std::string FormatFloat(const std::string& pattern, double value)
{
    const QLocale locale = QLocale::system();
    return FormatFloat(pattern, value, locale.decimalPoint().toStdString(),
                       locale.groupSeparator().toStdString());
}

} // namespace tallyrun
