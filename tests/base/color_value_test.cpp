#include "base/color_value.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

TEST(ColorValue, RedIsTheLowestByte)
{
    // Runs without an application object: plain colours need no palette.
    EXPECT_EQ(ColorToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ColorToQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(ColorToQColor(14931660), QColor(204, 214, 227));
    EXPECT_EQ(ColorFromRgb(204, 214, 227), 0x00E3D6CCu);
}

TEST(ColorValue, SystemColoursComeFromThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Midlight, QColor(4, 5, 6));
    palette.setColor(QPalette::Shadow, QColor(7, 8, 9));
    palette.setColor(QPalette::ToolTipBase, QColor(10, 11, 12));
    EXPECT_EQ(ColorToQColor(clBtnFace, palette), QColor(1, 2, 3));
    EXPECT_EQ(ColorToQColor(cl3DLight, palette), QColor(4, 5, 6));
    EXPECT_EQ(ColorToQColor(cl3DDkShadow, palette), QColor(7, 8, 9));
    EXPECT_EQ(ColorToQColor(clInfoBk, palette), QColor(10, 11, 12));
    EXPECT_EQ(ColorToQColor(clRed, palette), QColor(255, 0, 0));
}

} // namespace
} // namespace tallyrun::test
