// Decimal picture patterns such as "#,##0.###" and "##0.## %": how the chart writes values
// and percentages in marks and legend rows, with the user's decimal and thousands separators.
#pragma once

#include <string>

namespace tallyrun {

struct TNumberSeparators
{
    std::string decimal = ".";
    std::string thousands = ",";
};

// The separators of the user's locale.
TNumberSeparators UserNumberSeparators();

// `value` written by `pattern`: "0" is a digit always shown, "#" a digit shown only when
// significant, the first "." marks the decimal separator, a "," in the integer part groups the
// integer digits by three, and every other character is copied. The value is taken with 18
// significant digits and rounded half up (on the magnitude) to the fraction digits the
// pattern allows; "#" fraction digits drop trailing zeros; the separator goes when no fraction
// digit remains; a negative value gets a leading "-" unless it rounds to zero.
std::string FormatFloat(const std::string& pattern, double value,
                        const TNumberSeparators& separators);
std::string FormatFloat(const std::string& pattern, double value);

// A resource pattern with "%0:s", "%1:s"... filled in one pass, so an argument that itself
// holds such a marker is never filled again.
std::string FormatIndexed(const std::string& pattern, const std::string& arg0,
                          const std::string& arg1);

} // namespace tallyrun
