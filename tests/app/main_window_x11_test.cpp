// The main window's F5 on a real X server: main() below starts a private Xvfb before the
// QApplication and points Qt at it, keys are pressed with xdotool, and a second X client has
// the focus as "another application". Skipped with the reason when Xvfb or xdotool is missing.
#include "run_fixture.h"

#include "app/about_dialog.h"
#include "support/xvfb_server.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace tallyrun::testing_support {
namespace {

std::string gNoXReason;  // why the X tests cannot run; empty when they can

// Another X client with a focused window of its own.
class TOtherClient
{
public:
    TOtherClient() : connection_(xcb_connect(nullptr, nullptr)) {}
    ~TOtherClient() { xcb_disconnect(connection_); }

    void ShowFocusedWindow()
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 100, 100,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection_, window_);
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window_, XCB_CURRENT_TIME);
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t window_ = XCB_WINDOW_NONE;
};

class MainWindowX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!gNoXReason.empty())
            GTEST_SKIP() << gNoXReason;
        if (!test::ProgramInstalled("xdotool"))
            GTEST_SKIP() << "xdotool is not installed";
        folder.path = dir.path().toStdString();
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

    QTemporaryDir dir;
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
} // namespace tallyrun::testing_support

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // The server lives longer than the application, whose X connection closes first.
    std::unique_ptr<tallyrun::test::TXvfbServer> server;
    if (!::testing::GTEST_FLAG(list_tests))
        server = std::make_unique<tallyrun::test::TXvfbServer>();
    if (server && server->Running()) {
        setenv("DISPLAY", server->Display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        tallyrun::testing_support::gNoXReason = server ? server->Failure() : "listing only";
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
