#include "app/slice_label.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

TEST(SliceLabel, NamesLongerThanEightCharactersAreShortened)
{
    EXPECT_EQ(SliceLabel("/home/u/Windows/"), "Windows");
    EXPECT_EQ(SliceLabel("/home/u/Abcdefgh/"), "Abcdefgh");
    EXPECT_EQ(SliceLabel("/home/u/Documents/"), "Docum...");
    EXPECT_EQ(SliceLabel("/d/日本語フォルダ名/"), "日本語フォルダ名");
    EXPECT_EQ(SliceLabel("/d/日本語フォルダ名前/"), "日本語フォ...");
    EXPECT_EQ(SliceLabel("/sub/"), "sub");
    // A name that is not valid UTF-8 is cut by bytes there, never inside a valid character.
    EXPECT_EQ(SliceLabel("/d/\xff\xfe\xfd\xfc\xfb\xfa\xf9\xf8\xf7/"), "\xff\xfe\xfd\xfc\xfb...");
}

} // namespace
} // namespace tallyrun::test
