// The main window's F5 on a real X server (the X tests' main() starts a private Xvfb): keys
// are pressed with xdotool, and a second X client has
// the focus as "another application". Skipped with the reason when Xvfb or xdotool is missing.
#include "app/about_dialog.h"
#include "run_fixture.h"
#include "tests/support/other_x_client.h"
#include "tests/support/temp_tree.h"
#include "tests/support/x11_test_main.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <memory>

namespace tallyrun::test {
namespace {

class MainWindowX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const std::string reason = NoXdotoolReason(); !reason.empty())
            GTEST_SKIP() << reason;
        folder.path = tree.Folder();
        window = std::make_unique<TfrmMain>(folder);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Presses F5 while another client has the focus and waits for the run it starts.
    void ExpectRunOnF5()
    {
        other.ShowFocusedWindow();
        const int before = folder.calls;
        ASSERT_EQ(QProcess::execute("xdotool", {"key", "F5"}), 0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return folder.calls > before && !window->IsRunning(); }));
    }

    TTempTree tree;
    TFakeSelectedFolder folder;
    std::unique_ptr<TfrmMain> window;
    TOtherClient other;
};

TEST_F(MainWindowX11Test, F5ElsewhereRunsAgainAlsoWhileTheAboutDialogIsOpen)
{
    ExpectRunOnF5();

    TfrmVersion about(window.get(), [](int) { return std::string(); });
    window->SetAboutDialog(&about);
    window->TB_Version->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    ASSERT_FALSE(window->isEnabled());
    ExpectRunOnF5();
    about.close();
}

} // namespace
} // namespace tallyrun::test
