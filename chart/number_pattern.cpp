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

// |value| in scientific form: its significant digits and the decimal exponent of the first.
struct Scientific
{
    std::string mantissa;
    int exponent = 0;
};

Scientific ScientificDigits(double magnitude)
{
    // d.ddddddddddddddddde+XX: 18 significant digits and the decimal exponent.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", kSignificantDigits - 1, magnitude);
    Scientific scientific;
    const char* p = buffer;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9')
            scientific.mantissa += *p;
    scientific.exponent = *p == 'e' ? std::atoi(p + 1) : 0;
    if (magnitude == 0)
        scientific.mantissa.assign(1, '0');
    return scientific;
}

// Adds one to the last digit of a decimal digit string, carrying as far as needed.
void AddOneToLastDigit(std::string& digits)
{
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0 && digits[static_cast<size_t>(i)] == '9'; --i)
        digits[static_cast<size_t>(i)] = '0';
    if (i < 0)
        digits.insert(digits.begin(), '1');
    else
        ++digits[static_cast<size_t>(i)];
}

// The digits down to 10^-fractionDigits, rounded half up on the next one.
std::string KeptDigits(const Scientific& scientific, int fractionDigits)
{
    const std::string& mantissa = scientific.mantissa;
    const long keep = static_cast<long>(scientific.exponent) + fractionDigits + 1;
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
    if (roundUp)
        AddOneToLastDigit(kept);
    return kept;
}

// `kept` split `fractionDigits` from its end, the integer part without leading zeros.
Digits SplitDigits(std::string kept, int fractionDigits)
{
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

Digits RoundedDigits(double magnitude, int fractionDigits)
{
    return SplitDigits(KeptDigits(ScientificDigits(magnitude), fractionDigits), fractionDigits);
}

bool RoundsToZero(const Digits& digits)
{
    return digits.integer.empty() && digits.fraction.find_first_not_of('0') == std::string::npos;
}

// The digits as the picture shows them: the integer part padded with zeros to the "0"
// placeholders, the fraction without the trailing zeros that "#" placeholders drop.
Digits FittedDigits(Digits digits, const Picture& picture)
{
    if (static_cast<int>(digits.integer.size()) < picture.minIntegerDigits)
        digits.integer.insert(
            0, static_cast<size_t>(picture.minIntegerDigits) - digits.integer.size(), '0');
    while (static_cast<int>(digits.fraction.size()) > picture.minFractionDigits &&
           digits.fraction.back() == '0')
        digits.fraction.pop_back();
    return digits;
}

// Writes a pattern with the digits in place of its placeholders, one character at a time.
class PictureWriter
{
public:
    PictureWriter(const Picture& picture, const Digits& digits, const std::string& decimalSeparator,
                  const std::string& thousandsSeparator)
        : picture_(picture), digits_(digits), decimalSeparator_(decimalSeparator),
          thousandsSeparator_(thousandsSeparator), length_(static_cast<int>(digits.integer.size()))
    {
    }

    std::string Write(const std::string& pattern)
    {
        for (std::string::size_type i = 0; i < pattern.size(); ++i) {
            const char c = pattern[i];
            if (i < picture_.point)
                PutIntegerPart(c);
            else if (i == picture_.point)
                PutPoint();
            else if (IsPlaceholder(c))
                PutFractionPlaceholder();
            else
                out_ += c;
        }
        return out_;
    }

    // False for a pattern without a placeholder and without a decimal point: it shows no
    // number, and so no sign.
    bool NumberWritten() const { return integerWritten_; }

private:
    // Writes integer digit k (0 = leftmost) and, where a group ends, the separator.
    void PutIntegerDigit(int k)
    {
        out_ += digits_.integer[static_cast<size_t>(k)];
        const int fromRight = length_ - 1 - k;
        if (picture_.grouping && fromRight > 0 && fromRight % 3 == 0)
            out_ += thousandsSeparator_;
    }

    void PutIntegerPart(char c)
    {
        if (c == ',')
            return;
        if (IsPlaceholder(c))
            PutIntegerPlaceholder();
        else
            out_ += c;
    }

    // Placeholder n of the integer part stands for the digit at position (placeholders - 1 - n)
    // from the right; the first one also takes every digit beyond the placeholders.
    void PutIntegerPlaceholder()
    {
        const int fromRight = picture_.integerPlaceholders - 1 - integerSeen_++;
        const int k = length_ - 1 - fromRight;
        if (!integerWritten_) {
            for (int j = 0; j < k; ++j)
                PutIntegerDigit(j);
            integerWritten_ = true;
        }
        if (k >= 0)
            PutIntegerDigit(k);
    }

    // With no integer placeholder the integer digits go just before the decimal point.
    void PutPoint()
    {
        if (!integerWritten_) {
            for (int k = 0; k < length_; ++k)
                PutIntegerDigit(k);
            integerWritten_ = true;
        }
        if (!digits_.fraction.empty())
            out_ += decimalSeparator_;
    }

    void PutFractionPlaceholder()
    {
        if (fractionSeen_ < static_cast<int>(digits_.fraction.size()))
            out_ += digits_.fraction[static_cast<size_t>(fractionSeen_)];
        ++fractionSeen_;
    }

    const Picture& picture_;
    const Digits& digits_;
    const std::string& decimalSeparator_;
    const std::string& thousandsSeparator_;
    const int length_;
    std::string out_;
    int integerSeen_ = 0;
    int fractionSeen_ = 0;
    bool integerWritten_ = false;
};

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
    const Digits rounded = RoundedDigits(std::fabs(value), picture.fractionPlaceholders);
    const Digits shown = FittedDigits(rounded, picture);
    PictureWriter writer(picture, shown, decimalSeparator, thousandsSeparator);
    const std::string out = writer.Write(pattern);
    if (writer.NumberWritten() && value < 0 && !RoundsToZero(rounded))
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
