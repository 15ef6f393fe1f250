// The about and interrupting dialogs in both languages: under English nothing in them is left
// Japanese, and under either language every label and the close button hold their texts.
#include "app/about_dialog.h"
#include "app/break_dialog.h"
#include "base/fonts.h"
#include "language_checks.h"
#include "widgets/picture_button.h"

namespace tallyrun::test {
namespace {

std::string Version(int key)
{
    return key == vkProductName ? "Tallyrun" : key == vkProductVersion ? "2.0.2" : "";
}

class DialogsInLanguageTest : public InLanguageTest
{
protected:
    static void SetUpTestSuite() { InstallFontSubstitutions(); }
};

TEST_P(DialogsInLanguageTest, TextsAndTheirRoom)
{
    TfrmVersion about(nullptr, Version);
    ExpectNotJapaneseInEnglish(about.windowTitle());
    for (const QLabel* label : about.findChildren<QLabel*>())
        ExpectNotJapaneseInEnglish(label->text());
    ExpectNotJapaneseInEnglish(about.btnClose->Caption());
    EXPECT_LE(about.btnClose->fontMetrics().horizontalAdvance(about.btnClose->Caption()),
              about.btnClose->width() - 8);
    ExpectLabelsFit(about);

    TfrmBreakDialog breakDialog;
    ExpectNotJapaneseInEnglish(breakDialog.windowTitle());
    ExpectNotJapaneseInEnglish(breakDialog.lblMessage->text());
    ExpectLabelsFit(breakDialog);
}

INSTANTIATE_TEST_SUITE_P(, DialogsInLanguageTest, ::testing::ValuesIn(kBothLanguages),
                         LanguageCaseName);

} // namespace
} // namespace tallyrun::test
