// The main window in both languages: under English no text a user meets in it, its log or
// its chart is left Japanese, and under either language every tool-bar item is wholly on the
// bar and the status hint fits its panel.
#include "app/save_dialog.h"
#include "base/fonts.h"
#include "language_checks.h"
#include "run_fixture.h"
#include "tests/support/temp_tree.h"
#include "toolbar/tb_toolbar.h"
#include "widgets/panel_status_bar.h"

#include <QTest>

namespace tallyrun::test {
namespace {

class MainWindowInLanguageTest : public InLanguageTest
{
protected:
    static void SetUpTestSuite() { InstallFontSubstitutions(); }
};

TEST_P(MainWindowInLanguageTest, TextsAndTheirRoom)
{
    TTempTree temp;
    temp.Write("notes.txt", "12345");
    temp.Dir("photos");
    TFakeSelectedFolder folder;
    folder.path = temp.Folder();
    TfrmMain window(folder);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    ExpectNotJapaneseInEnglish(window.TBToolbar1->windowTitle());
    ExpectNotJapaneseInEnglish(window.SaveDialog1->Filter());
    ExpectNotJapaneseInEnglish(QString::fromStdString(window.Series1->OtherSlice().Text()));
    const QRect bar = window.TBToolbar1->rect();
    for (QAction* action : window.TBToolbar1->actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        SCOPED_TRACE(action->text().toStdString());
        ExpectNotJapaneseInEnglish(action->text());
        ExpectNotJapaneseInEnglish(action->toolTip());
        const QWidget* button = window.TBToolbar1->widgetForAction(action);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(button->isVisible() && bar.contains(button->geometry()))
            << "the item is not wholly on the tool bar";
    }

    const QString hint = window.StatusBar1->PanelText(0);
    ExpectNotJapaneseInEnglish(hint);
    EXPECT_LE(window.StatusBar1->fontMetrics().horizontalAdvance(hint),
              window.StatusBar1->PanelWidth(0));

    // A run stopped after the root slice: its byte line, and the stop line at the end.
    folder.onCall = [&](int call) {
        if (call == 3)
            window.TB_StopClick(nullptr);
    };
    window.QorShTreeView1Change(nullptr, nullptr);
    const std::string log = window.memSearch->Text();
    ExpectNotJapaneseInEnglish(QString::fromStdString(log));
    const std::string expectedEnd =
        English() ? "\t5 bytes\n[Analysis stopped]\n" : "\t5 Byte\n【中断しました】\n";
    EXPECT_TRUE(log.ends_with(expectedEnd)) << log;
}

INSTANTIATE_TEST_SUITE_P(, MainWindowInLanguageTest, ::testing::ValuesIn(kBothLanguages),
                         LanguageCaseName);

} // namespace
} // namespace tallyrun::test
