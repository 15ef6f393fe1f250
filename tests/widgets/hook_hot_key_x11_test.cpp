// The hot-key component on a real X server. The X tests' main() starts a private Xvfb before
// the QApplication exists and points Qt at it (QT_QPA_PLATFORM=xcb, DISPLAY), so the component
// runs over Qt's real X connection; keys are pressed with xdotool, and a second X client
// made here plays "another application" that has the focus or holds keys. Every test is
// skipped with its reason when Xvfb or xdotool is not installed.
#include "widgets/hook_hot_key.h"

#include "platform/x11_key_grab.h"
#include "tests/support/other_x_client.h"
#include "tests/support/x11_test_main.h"
#include "tests/support/xvfb_server.h"

#include <QApplication>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace tallyrun::test {
namespace {

constexpr std::uint32_t kKeySymF5 = 0xFFC2;
constexpr std::uint32_t kKeySymF6 = 0xFFC3;
constexpr std::uint32_t kKeySymF7 = 0xFFC4;

void PressKeys(const QString& keys)
{
    ASSERT_EQ(QProcess::execute("xdotool", {"key", keys}), 0) << keys.toStdString();
}

class HookHotKeyX11Test : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!NoXReason().empty())
            GTEST_SKIP() << NoXReason();
        if (!ProgramInstalled("xdotool"))
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
    THookHotKey* hotKey = nullptr; // owned by `owner`
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
    PressKeys("Num_Lock"); // off again for the tests that share this server
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
    ASSERT_TRUE(other.GrabKey(kKeySymF7, XCB_MOD_MASK_LOCK)); // only the CapsLock variant
    EXPECT_FALSE(hotKey->RegisterShortCut(1, Qt::Key_F6));
    EXPECT_FALSE(hotKey->RegisterShortCut(3, Qt::Key_F7));
    EXPECT_FALSE(hotKey->RegisterShortCut(5, Qt::Key_unknown)); // no key code for it
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
    EXPECT_TRUE(third.GrabKey(kKeySymF7, 0)); // our partial grab of F7 was rolled back
    EXPECT_TRUE(third.GrabKey(kKeySymF5, 0)); // released with the component
}

} // namespace
} // namespace tallyrun::test
