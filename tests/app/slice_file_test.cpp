// The render tool's slice list: label<TAB>value lines, and the bad input it refuses.
#include "support/slice_file.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

TEST(SliceFile, ParsesLinesAndRefusesBadOnes)
{
    struct Case
    {
        const char* name;
        std::string text;
        bool ok;
        std::vector<TSliceLine> slices;
        const char* error;
    };
    const Case cases[] = {
        {"lines in order",
         "root\t300\nドキュメント\t1200.5\n",
         true,
         {{"root", 300}, {"ドキュメント", 1200.5}},
         ""},
        {"CRLF, blank lines, no final newline",
         "a\t1\r\n\r\n\nb\t2",
         true,
         {{"a", 1}, {"b", 2}},
         ""},
        {"the label may hold tabs and other bytes", "x\ty\xff\t-5\n", true, {{"x\ty\xff", -5}}, ""},
        {"an empty label", "\t7\n", true, {{"", 7}}, ""},
        {"no tab", "root 300\n", false, {}, "line 1: expected label<TAB>value"},
        {"not a number", "a\t1\nb\t12x\n", false, {{"a", 1}}, "line 2: expected label<TAB>value"},
        {"not finite", "a\tinf\n", false, {}, "line 1: expected label<TAB>value"},
        {"empty text", "", true, {}, ""},
    };
    for (const Case& c : cases) {
        std::vector<TSliceLine> slices;
        std::string error;
        EXPECT_EQ(ParseSlices(c.text, slices, error), c.ok) << c.name;
        EXPECT_EQ(slices, c.slices) << c.name;
        EXPECT_EQ(error, c.error) << c.name;
    }
    std::vector<TSliceLine> slices;
    std::string error;
    EXPECT_FALSE(ReadSliceFile("/", slices, error));
    EXPECT_FALSE(ReadSliceFile("/nonexistent/slices.tsv", slices, error));
}

} // namespace
} // namespace tallyrun::test
