#include "scan/string_helpers.h"

#include "scan/file_listing.h"
#include "scan/number_format.h"
#include "scan/pump_events.h"

#include <QLocale>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace tallyrun::test {
namespace {

// 9 characters of 3 bytes each.
const std::string kNineJapanese = "資料フォルダの中身だ";

TEST(CharHelpers, CountAndCutByCharactersNotBytes)
{
    EXPECT_EQ(CharLen(""), 0);
    EXPECT_EQ(CharLen("写真集"), 3);
    EXPECT_EQ(CharLen("a\xFF"
                      "b"),
              3);                               // an invalid byte is one character
    EXPECT_EQ(CharLen("\xE3\x81"), 2);          // a cut-off sequence: two characters
    EXPECT_EQ(CharLen("\xC0\xAF"), 2);          // overlong "/" is not one character
    EXPECT_EQ(CharLen("\xF0\x9F\x98\x80x"), 2); // a 4-byte character

    EXPECT_EQ(CharLeft(CharLeft(kNineJapanese, 9), 5), kNineJapanese.substr(0, 15));
    EXPECT_EQ(CharMid("a表b裏c", 2, 3), "表b裏");
    EXPECT_EQ(CharMid("abc", 0, 2), "ab");
    EXPECT_EQ(CharMid("abc", 2, 0), "");
    EXPECT_EQ(CharMid("abc", 2, 99), "bc");
    EXPECT_EQ(CharMidFrom("a表b", -3), "a表b");
    EXPECT_EQ(CharMidFrom("a表b", 2), "表b");
    EXPECT_EQ(CharMidFrom("a表b", 4), "");
    EXPECT_EQ(CharRight("dir/表", 1), "表");
    EXPECT_EQ(CharRight("ab", 3), "");
    EXPECT_EQ(CharRight("ab", 0), "");
}

TEST(CharHelpers, PosFindsWholeCharactersOnly)
{
    EXPECT_EQ(CharPos("", "a"), 0);
    EXPECT_EQ(CharPos("abc", ""), 1);
    EXPECT_EQ(CharPos("表a表b", "表b"), 3);
    EXPECT_EQ(CharPos("abc", "x"), 0);
    // The bytes of "\x81" occur inside "あ" (E3 81 82) but not as a character of their own.
    EXPECT_EQ(CharPos("あ", "\x81"), 0);
}

struct TCutCase
{
    std::string text, delimiter;
    TCutMode mode;
    TOccurrence occurrence;
    std::string expected;
};

TEST(CharHelpers, CutByDelimiterInAllModes)
{
    const std::vector<TCutCase> cases = {
        {"/home/資料/", "/", cutBefore, occLast, "/home/資料"},
        {"/home/資料", "/", cutAfter, occLast, "資料"},
        {"/home/資料", "/", cutThrough, occLast, "/home/"},
        {"/home/資料", "/", cutFrom, occLast, "/資料"},
        {"a/b/c", "/", cutBefore, occFirst, "a"},
        {"a/b/c", "/", cutThrough, occFirst, "a/"},
        {"a/b/c", "/", cutAfter, occFirst, "b/c"},
        {"a/b/c", "/", cutFrom, occFirst, "/b/c"},
        {"名前", "/", cutAfter, occLast, "名前"},
        {"名前", "/", cutBefore, occLast, ""},
        {"名前", "/", cutFrom, occLast, "名前"},
        {"abcdef", "xyz", cutThrough, occFirst, "ab"}, // not found: the first L-1 characters
        {"abcdef", "xyz", cutAfter, occFirst, "cdef"}, // not found: from character L on
        {"aaaaa", "aa", cutBefore, occLast, "aa"},     // occurrences do not overlap
    };
    for (const TCutCase& c : cases)
        EXPECT_EQ(CutByDelimiter(c.text, c.delimiter, c.mode, c.occurrence), c.expected)
            << c.text << " by " << c.delimiter << " mode " << c.mode;
}

TEST(CharHelpers, TrailingSeparatorIsAddedOnce)
{
    EXPECT_EQ(WithTrailingSeparator(""), "/");
    EXPECT_EQ(WithTrailingSeparator("/"), "/");
    EXPECT_EQ(WithTrailingSeparator("/home/資料"), "/home/資料/");
    EXPECT_EQ(WithTrailingSeparator("/home/資料/"), "/home/資料/");
}

TEST(FormatThousandsTest, GroupsByThreeWithTheLocaleSeparator)
{
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(FormatThousands(0), "0");
    EXPECT_EQ(FormatThousands(0.4), "0");
    EXPECT_EQ(FormatThousands(999), "999");
    EXPECT_EQ(FormatThousands(1000), "1,000");
    EXPECT_EQ(FormatThousands(1234567), "1,234,567");
    EXPECT_EQ(FormatThousands(1234.5), "1,235");
    EXPECT_EQ(FormatThousands(9007199254740992.0), "9,007,199,254,740,992");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(FormatThousands(1234567), "1.234.567");
    QLocale::setDefault(before);
}

// Every count of digits (each place of the first group's end), the two-digit steps' edges,
// both sides of the 64-bit path, and a separator of several bytes, against the plain way of
// writing the number and grouping its digits.
TEST(FormatThousandsTest, GroupsEveryLengthOfNumberAsThePlainWayDoes)
{
    const auto plain = [](double x, const std::string& separator) {
        char text[400];
        std::snprintf(text, sizeof text, "%.0f", std::round(std::fabs(x)));
        const std::string digits = text;
        if (digits == "0")
            return digits;
        std::string grouped = x < 0 ? "-" : "";
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (i > 0 && (digits.size() - i) % 3 == 0)
                grouped += separator;
            grouped += digits[i];
        }
        return grouped;
    };
    std::vector<double> values = {1,    7,   9,        10,          42,   99,
                                  100,  101, 110,      1e19 - 4096, 1e19, 1.8446744073709552e19,
                                  3e25, -5,  -1234567, 2.5,         0.5};
    for (double p = 1; p < 1e22; p *= 10)
        for (const double v : {p - 1, p, p + 1, 3 * p + 7})
            values.push_back(v);
    for (const std::string separator : {",", "\u202f", ""})
        for (const double v : values) {
            std::string out = "x"; // appended to what is there
            AppendGrouped(v, separator, out);
            std::string expected = "x";
            expected += plain(v, separator);
            EXPECT_EQ(out, expected) << v;
        }
}

int pumpCalls = 0;

TEST(PumpEventsTest, CallsTheInstalledHookOnly)
{
    pumpCalls = 0;
    PumpEvents(); // no hook: nothing happens
    SetPumpEventsHook([] { ++pumpCalls; });
    PumpEvents();
    PumpEvents();
    SetPumpEventsHook(nullptr);
    PumpEvents();
    EXPECT_EQ(pumpCalls, 2);
}

TEST(MatchesFileKindsTest, FullSetPassesFilesButNeverFolders)
{
    const std::vector<std::pair<std::uint32_t, bool>> table = {
        {0x00, true},    {0x01, true},   {0x02, true},  {0x04, true},  {0x20, true},
        {0x27, true},    {0x2020, true}, {0x820, true}, {0x80, false}, {0x100, false},
        {0x2000, false}, {0x10, false},  {0x30, false}, {0x08, false}, {0x28, false},
    };
    for (const auto& [attributes, passes] : table)
        EXPECT_EQ(MatchesFileKinds(fkAll, attributes), passes) << std::hex << attributes;
    EXPECT_FALSE(MatchesFileKinds(fkNormal, 0x20));
    EXPECT_TRUE(MatchesFileKinds(fkNormal, 0));
    EXPECT_TRUE(MatchesFileKinds(fkArchive, 0x20)); // archive is 0x20 in the word, not bit 3
    EXPECT_FALSE(MatchesFileKinds(fkArchive, 0x08));
}

} // namespace
} // namespace tallyrun::test
