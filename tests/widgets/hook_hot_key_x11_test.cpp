// The hot-key component on a real X server. main() below starts a private Xvfb before the
// QApplication exists and points Qt at it (QT_QPA_PLATFORM=xcb, DISPLAY), so the component
// runs over Qt's real X connection; keys are pressed with xdotool, and a second X client
// made here plays "another application" that has the focus or holds keys. Every test is
// skipped with its reason when Xvfb or xdotool is not installed.
#include "platform/x11_key_grab.h"
#include "support/xvfb_server.h"
#include "widgets/hook_hot_key.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace tallyrun {
namespace {

std::string gNoXReason;  // why the X tests cannot run; empty when they can

constexpr std::uint32_t kKeySymF5 = 0xFFC2;
constexpr std::uint32_t kKeySymF6 = 0xFFC3;
constexpr std::uint32_t kKeySymF7 = 0xFFC4;

// Another X client: its own connection, window and key grabs.
class TOtherClient
{
public:
    TOtherClient() : connection_(xcb_connect(nullptr, nullptr)) {}
    ~TOtherClient() { xcb_disconnect(connection_); }

    bool Connected() const { return xcb_connection_has_error(connection_) == 0; }

    // Maps a window of its own and gives it the input focus.
    void ShowFocusedWindow()
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 200, 100,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection_, window_);
        TakeFocus();
    }
    void TakeFocus()
    {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window_, XCB_CURRENT_TIME);
        free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }
    xcb_window_t Window() const { return window_; }
    xcb_window_t Focus() const
    {
        auto* reply = xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_),
                                                nullptr);
        const xcb_window_t focus = reply ? reply->focus : xcb_window_t{XCB_WINDOW_NONE};
        free(reply);
        return focus;
    }
    // Grabs a key on the root window; false when the server refuses.
    bool GrabKey(std::uint32_t keySym, std::uint16_t modifiers)
    {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const auto cookie = xcb_grab_key_checked(
            connection_, 0, screen->root, modifiers, platform::X11KeyCodeFor(connection_, keySym),
            XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t* error = xcb_request_check(connection_, cookie);
        free(error);
        return error == nullptr;
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t window_ = XCB_WINDOW_NONE;
};

void PressKeys(const QString& keys)
{
    ASSERT_EQ(QProcess::execute("xdotool", {"key", keys}), 0) << keys.toStdString();
}

class HookHotKeyX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!gNoXReason.empty())
            GTEST_SKIP() << gNoXReason;
        if (!test::ProgramInstalled("xdotool"))
            GTEST_SKIP() << "xdotool is not installed";
        ASSERT_TRUE(other.Connected());
        owner.setWindowTitle("owner");
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        hotKey = new THookHotKey(&owner);
        hotKey->SetOnHotKey([this](THookHotKey*, int index) { indexes.push_back(index); });
        other.ShowFocusedWindow();
        ASSERT_EQ(other.Focus(), other.Window());
    }

    // Lets events run until as many hot keys as expected have arrived (at most 5 s), then
    // compares them.
    void ExpectIndexes(const std::vector<int>& expected)
    {
        (void)QTest::qWaitFor([&] { return indexes.size() >= expected.size(); });
        EXPECT_EQ(indexes, expected);
    }

    xcb_window_t OwnerWindow() const { return static_cast<xcb_window_t>(owner.winId()); }

    QWidget owner;
    THookHotKey* hotKey = nullptr;  // owned by `owner`
    std::vector<int> indexes;
    TOtherClient other;
};

TEST_F(HookHotKeyX11Test, KeyPressedElsewhereRaisesTheEventAndActivatesTheOwner)
{
    ASSERT_TRUE(hotKey->RegisterShortCut(0, Qt::Key_F5));
    PressKeys("F5");
    ExpectIndexes({0});
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.Focus() == OwnerWindow(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return owner.isActiveWindow(); }));

    // With NumLock on the key still arrives: its variant is grabbed as well.
    other.TakeFocus();
    PressKeys("Num_Lock");
    PressKeys("F5");
    ExpectIndexes({0, 0});
    EXPECT_TRUE(QTest::qWaitFor([&] { return other.Focus() == OwnerWindow(); }));
    PressKeys("Num_Lock");  // off again for the tests that share this server
}

TEST_F(HookHotKeyX11Test, ModifiersAreGrabbedExactly)
{
    ASSERT_TRUE(hotKey->RegisterShortCut(2, Qt::CTRL | Qt::SHIFT | Qt::Key_F6));
    ASSERT_TRUE(hotKey->RegisterShortCut(0, Qt::Key_F5));
    PressKeys("ctrl+shift+F6");
    ExpectIndexes({2});
    // F6 alone is not the hot key. X keeps the order of events, so once the F5 that follows
    // has arrived, an event for the plain F6 can no longer come.
    PressKeys("F6");
    PressKeys("F5");
    ExpectIndexes({2, 0});
}

TEST_F(HookHotKeyX11Test, ActivateFalseLeavesTheFocus)
{
    hotKey->SetActivate(false);
    ASSERT_TRUE(hotKey->RegisterShortCut(0, Qt::Key_F5));
    PressKeys("F5");
    ExpectIndexes({0});
    EXPECT_EQ(other.Focus(), other.Window());
}

// A key another client holds is refused, from the grab's error reply (this process goes on),
// no event ever arrives for it, and releasing our grabs never releases the other client's.
TEST_F(HookHotKeyX11Test, KeyHeldByAnotherClientIsRefused)
{
    ASSERT_TRUE(other.GrabKey(kKeySymF6, 0));
    ASSERT_TRUE(other.GrabKey(kKeySymF7, XCB_MOD_MASK_LOCK));  // only the CapsLock variant
    EXPECT_FALSE(hotKey->RegisterShortCut(1, Qt::Key_F6));
    EXPECT_FALSE(hotKey->RegisterShortCut(3, Qt::Key_F7));
    EXPECT_FALSE(hotKey->RegisterShortCut(5, Qt::Key_unknown));  // no key code for it
    ASSERT_TRUE(hotKey->RegisterShortCut(0, Qt::Key_F5));
    // A second component of this program cannot take a key the first holds.
    auto* second = new THookHotKey(&owner);
    EXPECT_FALSE(second->RegisterShortCut(4, Qt::Key_F5));
    delete second;

    PressKeys("F6");
    PressKeys("F5");
    ExpectIndexes({0});

    delete hotKey;
    TOtherClient third;
    EXPECT_FALSE(third.GrabKey(kKeySymF6, 0));                 // still the other client's
    EXPECT_FALSE(third.GrabKey(kKeySymF7, XCB_MOD_MASK_LOCK)); // still the other client's
    EXPECT_TRUE(third.GrabKey(kKeySymF7, 0));  // our partial grab of F7 was rolled back
    EXPECT_TRUE(third.GrabKey(kKeySymF5, 0));  // released with the component
}

} // namespace
} // namespace tallyrun

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
        tallyrun::gNoXReason = server ? server->Failure() : "listing only";
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
