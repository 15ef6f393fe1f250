#include "scan/name_order.h"

#include <QLocale>

namespace tallyrun {

namespace {

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

bool IsAscii(std::string_view s)
{
    for (const char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

} // namespace

TNameOrder::TNameOrder() : collator_(QLocale())
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
}

QString TNameOrder::Decode(std::string_view name)
{
    if (IsAscii(name))
        return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

int TNameOrder::CompareDecoded(const QString& a, std::string_view aBytes, const QString& b,
                               std::string_view bBytes) const
{
    if (const int c = collator_.compare(a, b))
        return Sign(c);
    return Sign(aBytes.compare(bBytes));
}

int TNameOrder::CompareNames(std::string_view a, std::string_view b) const
{
    return CompareDecoded(Decode(a), a, Decode(b), b);
}

int TNameOrder::ComparePaths(std::string_view a, std::string_view b) const
{
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        std::size_t ai = a.find('/', i);
        std::size_t bj = b.find('/', j);
        if (ai == std::string_view::npos)
            ai = a.size();
        if (bj == std::string_view::npos)
            bj = b.size();
        if (const int c = CompareNames(a.substr(i, ai - i), b.substr(j, bj - j)))
            return c;
        i = ai + 1;
        j = bj + 1;
    }
    // One path is the other plus more components; otherwise the bytes settle it (a trailing
    // "/"), so only byte-identical paths compare equal.
    if (const int c = static_cast<int>(a.size() > i) - static_cast<int>(b.size() > j))
        return c;
    return Sign(a.compare(b));
}

} // namespace tallyrun
