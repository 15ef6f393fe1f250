// The order of the file lists: names compare case-insensitively under the user locale's
// collation, and names that differ only in letter case (two distinct files here) are ordered by
// their bytes, so only byte-identical names compare equal. Paths are in the order of the whole
// path strings: "x y.txt", "x-y" and "x.txt" come before "x/a", since a space, "-" and "." sort
// before "/". A folder's entries therefore sort with each subfolder under its name followed by
// "/", and a depth-first walk of folders sorted so gives the order of the whole paths.
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
    // Whole paths: the shared start decides nothing, so they compare from the start of the
    // component in which they first differ, each taken with its "/" when a deeper name follows.
    // That is the collator's order of the whole strings, except that names equal under it
    // (case twins) are ordered by their bytes at the level where they differ.
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
    // The component of `path` that starts at `start`, with its "/" when one follows.
    static std::string_view ComponentKey(std::string_view path, std::size_t start);

    QCollator collator_;
    bool foldsAsciiBytes_ = false;
};

} // namespace tallyrun
