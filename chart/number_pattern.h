// Numbers written through a decimal picture pattern such as "#,##0.###" or "##0.## %": the
// series' value and percentage texts of marks and legend.
#pragma once

#include <string>

namespace tallyrun {

// `value` written by `pattern`: "0" is a digit always shown, "#" a digit shown only when
// significant, the first "." marks the decimal separator, a "," before it groups the integer
// digits by three, and every other character is copied. The value is taken with 18
// significant digits and rounded half up (away from zero) to the fraction digits the pattern
// allows; "#" fraction digits drop trailing zeros and the separator goes when no fraction
// digit is left; a negative value that does not round to zero gets a leading "-". An empty
// pattern writes the value in general form. Separators are those of the user's locale.
std::string FormatFloat(const std::string& pattern, double value);

// The same with the given separators (UTF-8).
std::string FormatFloat(const std::string& pattern, double value,
                        const std::string& decimalSeparator, const std::string& thousandsSeparator);

} // namespace tallyrun
