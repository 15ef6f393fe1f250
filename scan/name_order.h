// The order of the file lists: names compare case-insensitively under the user locale's
// collation, and names that differ only in letter case (two distinct files here) are ordered by
// their bytes, so only byte-identical names compare equal. Paths compare component by
// component, so the files of one folder stay together and a folder's subtree sorts at the place
// of the folder's name, as in a tree listing.
#pragma once

#include <QCollator>
#include <QString>
#include <string_view>

namespace tallyrun {

class TNameOrder
{
public:
    // Uses the user's locale (Qt's default locale) at construction.
    TNameOrder();

    int CompareNames(std::string_view a, std::string_view b) const;
    // The same, for names already decoded with Decode (invalid bytes become U+FFFD, so the
    // byte comparison keeps such names apart).
    int CompareDecoded(const QString& a, std::string_view aBytes, const QString& b,
                       std::string_view bBytes) const;
    int ComparePaths(std::string_view a, std::string_view b) const;

    static QString Decode(std::string_view name);

private:
    QCollator collator_;
};

} // namespace tallyrun
