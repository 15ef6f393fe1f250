// The caption of a drive node when its medium arrives or goes.
#include "shelltree/media_caption.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

TEST(MediaCaption, LabelLoweredWithCapitalFirstLetterAndTheDriveInBrackets)
{
    const struct
    {
        std::string label, drive, expected;
    } cases[] = {
        {"DATA", "E:", "Data (E:)"},
        {"my Photos", "/media/u/p", "My photos (/media/u/p)"},
        {"", "/media/x", " (/media/x)"},
        {"1ST DISC", "/mnt", "1st disc (/mnt)"},
        {"ÉTÉ", "/mnt", "été (/mnt)"},                   // only a to z is capitalised
        {"ＤＡＴＡ写真", "/mnt", "ｄａｔａ写真 (/mnt)"}, // wide letters lowered, not capitalised
        {"AB\xFF", "/mnt", "Ab\xFF (/mnt)"},             // not UTF-8: the odd byte is kept
        {"%S %s", "/m%s", "%s %s (/m%s)"},               // no formatting of the texts themselves
    };
    for (const auto& c : cases)
        EXPECT_EQ(MediaArrivalCaption(c.label, c.drive), c.expected) << c.label;
    EXPECT_EQ(MediaRemovalCaption("E:"), " (E:)");
}

} // namespace
} // namespace tallyrun::test
