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

    // True when CompareBytesIfCertain may stand in for the collator: under the C locale the
    // collator compares case-folded UTF-16 units, which for ASCII are the lowercased bytes.
    bool FoldsAsciiBytes() const { return foldsAsciiBytes_; }
    // The order above decided from the bytes where that is certain, when FoldsAsciiBytes()
    // holds: both names ASCII, or one differing from the other within their common ASCII start,
    // or an ASCII character against one from U+3000 up (CJK and beyond, whose case-folded
    // UTF-16 units are all above ASCII, as is the replacement of an invalid byte). 0 when the
    // collator has to decide.
    static int CompareBytesIfCertain(std::string_view a, std::string_view b);

private:
    QCollator collator_;
    bool foldsAsciiBytes_ = false;
};

} // namespace tallyrun
