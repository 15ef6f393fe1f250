#include "scan/name_order.h"

#include <QLocale>

#include <algorithm>

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

unsigned char AsciiLower(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u >= 'A' && u <= 'Z' ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

} // namespace

TNameOrder::TNameOrder() : collator_(QLocale())
{
    collator_.setCaseSensitivity(Qt::CaseInsensitive);
    // The C locale has no collation rules: the collator then compares case-folded UTF-16 units.
    foldsAsciiBytes_ = collator_.locale().language() == QLocale::C;
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

int TNameOrder::CompareBytesIfCertain(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca >= 0x80 || cb >= 0x80) {
            // Up to here both are ASCII, so byte i starts UTF-16 unit i in both.
            if (ca < 0x80 && cb >= 0xE3)
                return -1;
            if (cb < 0x80 && ca >= 0xE3)
                return 1;
            return 0;
        }
        if (const int d = AsciiLower(a[i]) - AsciiLower(b[i]))
            return Sign(d);
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    return Sign(a.compare(b));
}

int TNameOrder::CompareNames(std::string_view a, std::string_view b) const
{
    if (foldsAsciiBytes_)
        if (const int c = CompareBytesIfCertain(a, b))
            return c;
    return CompareDecoded(Decode(a), a, Decode(b), b);
}

int TNameOrder::ComparePaths(std::string_view a, std::string_view b) const
{
    std::size_t common = 0;
    const std::size_t shorter = std::min(a.size(), b.size());
    while (common < shorter && a[common] == b[common])
        ++common;
    if (common == a.size() && common == b.size())
        return 0;
    // The last "/" before the first difference lies in the shared start, so in both paths.
    const std::size_t start = common == 0 ? 0 : a.rfind('/', common - 1) + 1;
    return CompareNames(ComponentKey(a, start), ComponentKey(b, start));
}

std::string_view TNameOrder::ComponentKey(std::string_view path, std::size_t start)
{
    const std::size_t slash = path.find('/', start);
    return slash == std::string_view::npos ? path.substr(start)
                                           : path.substr(start, slash + 1 - start);
}

} // namespace tallyrun
