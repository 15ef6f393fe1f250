#include "shelltree/icon_list.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

TEST(IconList, EveryIndexGivesAnIconAndOthersGiveNone)
{
    const TShIconList& icons = SystemIconList();
    EXPECT_EQ(&icons, &SystemIconList());
    for (int i = 0; i < icons.Count(); ++i)
        EXPECT_FALSE(icons.Icon(i).isNull()) << i;
    EXPECT_TRUE(icons.Icon(-1).isNull());
    EXPECT_TRUE(icons.Icon(icons.Count()).isNull());
}

} // namespace
} // namespace tallyrun::test
