// The hot-key component through the desktop's global-shortcuts portal: a fake portal on the
// test's own session bus (session_test_main.cpp), widgets on the offscreen platform, where
// without the portal the key works in the program's windows only.
#include "widgets/hook_hot_key.h"

#include "base/handler_errors.h"
#include "tests/support/fake_portal.h"
#include "tests/support/session_test_main.h"

#include <QDBusConnection>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace tallyrun::test {
namespace {

using S = THotKeyBindingState;

class HookHotKeyPortalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!NoSessionReason().empty())
            GTEST_SKIP() << NoSessionReason();
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        previousDisplay = SetHandlerErrorDisplay([this](const QString& m) { errors << m; });
    }
    void TearDown() override
    {
        hotKey.reset();
        portal.reset();
        SetHandlerErrorDisplay(previousDisplay);
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    }

    // A portal with `behaviour`, then a component that registers F5 under 0.
    void Start(TFakePortalBehaviour behaviour = {})
    {
        portal = std::make_unique<TFakePortal>(SessionBusAddress(), behaviour);
        ASSERT_TRUE(portal->Registered());
        hotKey = std::make_unique<THookHotKey>(&owner);
        hotKey->SetOnHotKey([this](THookHotKey*, int index) { pressed.push_back(index); });
        hotKey->SetOnBindingChanged([this](THookHotKey*, int, const THotKeyBinding& binding) {
            bindings.push_back(binding);
        });
        registered = hotKey->RegisterShortCut(0, Qt::Key_F5, QStringLiteral("再集計"));
    }
    bool WaitForBindings(std::size_t count)
    {
        return QTest::qWaitFor([&] { return bindings.size() >= count; });
    }
    // F5 pressed inside the program's window.
    void PressInWindow() { QTest::keyClick(&owner, Qt::Key_F5); }

    QWidget owner;
    std::unique_ptr<TFakePortal> portal;
    std::unique_ptr<THookHotKey> hotKey;
    bool registered = false;
    std::vector<int> pressed;
    std::vector<THotKeyBinding> bindings;
    QStringList errors;
    TErrorDisplay previousDisplay;
};

// The session and the bind carry what the portal's rules ask for. The fake answers each request
// before its method reply, so the component must have subscribed to the request object's
// Response before it called: it computes the path from its unique name and the token.
TEST_F(HookHotKeyPortalTest, CreatesASessionAndBindsF5WithItsDescription)
{
    Start();
    EXPECT_EQ(hotKey->Route(), THotKeyRoute::hkrPortal);
    EXPECT_TRUE(registered);
    EXPECT_EQ(hotKey->Binding(0), std::nullopt); // the desktop has not answered yet
    ASSERT_TRUE(WaitForBindings(1));
    EXPECT_EQ(bindings, (std::vector<THotKeyBinding>{{S::hbsAsAsked, "F5"}}));
    EXPECT_EQ(hotKey->Binding(0), (THotKeyBinding{S::hbsAsAsked, "F5"}));

    const QString sender = QDBusConnection::sessionBus().baseService();
    QString part = sender.mid(1);
    part.replace('.', '_');
    const auto sessions = portal->Calls("CreateSession");
    ASSERT_EQ(sessions.size(), 1u);
    const TPortalCall& session = sessions[0];
    EXPECT_EQ(session.sender, sender);
    const QString token = session.options.value("handle_token").toString();
    const QString sessionToken = session.options.value("session_handle_token").toString();
    EXPECT_FALSE(token.isEmpty());
    EXPECT_FALSE(sessionToken.isEmpty());
    EXPECT_EQ(session.requestPath, "/org/freedesktop/portal/desktop/request/" + part + "/" + token);

    const auto binds = portal->Calls("BindShortcuts");
    ASSERT_EQ(binds.size(), 1u);
    const TPortalCall& bind = binds[0];
    EXPECT_EQ(bind.session, "/org/freedesktop/portal/desktop/session/" + part + "/" + sessionToken);
    EXPECT_EQ(bind.shortcutsSignature, "a(sa{sv})");
    ASSERT_EQ(bind.shortcuts.size(), 1u);
    EXPECT_EQ(bind.shortcuts[0].id, "hot-key-0");
    EXPECT_EQ(bind.shortcuts[0].description, QString::fromUtf8("再集計"));
    EXPECT_EQ(bind.shortcuts[0].preferredTrigger, "F5");
    EXPECT_EQ(bind.parentWindow, ""); // no X window to name on this platform
    const QString bindToken = bind.options.value("handle_token").toString();
    EXPECT_FALSE(bindToken.isEmpty());
    EXPECT_NE(bindToken, token);
    EXPECT_EQ(bind.requestPath,
              "/org/freedesktop/portal/desktop/request/" + part + "/" + bindToken);
    // A key registered after the bind went out is not sent again.
    EXPECT_FALSE(hotKey->RegisterShortCut(1, Qt::Key_F6));
}

// Presses of the bound shortcut raise the event; those of another session or another id do
// not. F5 inside the window still works.
TEST_F(HookHotKeyPortalTest, ActivatedRaisesTheEventForItsOwnSessionOnly)
{
    Start();
    ASSERT_TRUE(WaitForBindings(1));
    portal->Activate("hot-key-0");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.size() == 1; }));
    portal->Activate("hot-key-0", {}, "/org/freedesktop/portal/desktop/session/1_1/other");
    portal->Activate("hot-key-7");
    portal->Activate("hot-key-0", "token-1");
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.size() == 2; }));
    PressInWindow();
    EXPECT_EQ(pressed, (std::vector<int>{0, 0, 0}));
}

// What the desktop answers decides the binding; every refusal leaves the key in the window.
TEST_F(HookHotKeyPortalTest, TheDesktopsAnswerDecidesTheBinding)
{
    const struct
    {
        const char* name;
        TFakePortalBehaviour behaviour;
        THotKeyBinding expected;
        THotKeyRoute route;
    } cases[] = {
        {"other trigger",
         {1, 0, 0, QStringLiteral("Ctrl+Alt+F5")},
         {S::hbsOther, "Ctrl+Alt+F5"},
         THotKeyRoute::hkrPortal},
        {"no trigger", {1, 0, 0, QString()}, {S::hbsNone, ""}, THotKeyRoute::hkrPortal},
        {"shortcut left out", {1, 0, 0, std::nullopt}, {S::hbsNone, ""}, THotKeyRoute::hkrPortal},
        {"bind refused",
         {1, 0, 1, QStringLiteral("F5")},
         {S::hbsNone, ""},
         THotKeyRoute::hkrInWindow},
        {"session refused",
         {1, 2, 0, QStringLiteral("F5")},
         {S::hbsNone, ""},
         THotKeyRoute::hkrInWindow},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bindings.clear();
        pressed.clear();
        Start(c.behaviour);
        ASSERT_TRUE(WaitForBindings(1));
        EXPECT_EQ(bindings.back(), c.expected);
        EXPECT_EQ(hotKey->Route(), c.route);
        PressInWindow();
        EXPECT_EQ(pressed, std::vector<int>{0});
        hotKey.reset();
        portal.reset();
    }
}

TEST_F(HookHotKeyPortalTest, WithoutTheInterfaceNothingIsAskedOfThePortal)
{
    Start({0});
    EXPECT_EQ(hotKey->Route(), THotKeyRoute::hkrInWindow);
    EXPECT_FALSE(registered);
    QCoreApplication::processEvents();
    EXPECT_TRUE(portal->Calls("CreateSession").empty());
    PressInWindow();
    EXPECT_EQ(pressed, std::vector<int>{0});
}

// The user changes the trigger in the desktop's settings; later the portal goes away (or
// closes the session): the key is then bound nowhere, and works in the window.
TEST_F(HookHotKeyPortalTest, FollowsChangesAndFallsBackWhenThePortalGoes)
{
    for (const bool vanish : {true}) {
        SCOPED_TRACE(vanish ? "portal leaves the bus" : "session closed");
        bindings.clear();
        pressed.clear();
        Start();
        ASSERT_TRUE(WaitForBindings(1));
        portal->ChangeTriggers("hot-key-0", "Shift+F5");
        ASSERT_TRUE(WaitForBindings(2));
        EXPECT_EQ(bindings[1], (THotKeyBinding{S::hbsOther, "Shift+F5"}));
        if (vanish)
            portal->Leave();
        else
            portal->CloseSession();
        ASSERT_TRUE(WaitForBindings(3));
        EXPECT_EQ(bindings[2], (THotKeyBinding{S::hbsNone, ""}));
        EXPECT_EQ(hotKey->Route(), THotKeyRoute::hkrInWindow);
        PressInWindow();
        EXPECT_EQ(pressed, std::vector<int>{0});
        hotKey.reset();
        portal.reset();
    }
}

// The component closes its session when it goes, so the desktop drops the binding.
TEST_F(HookHotKeyPortalTest, ClosesItsSessionWhenItGoes)
{
    Start();
    ASSERT_TRUE(WaitForBindings(1));
    const QString session = portal->Session();
    hotKey.reset();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !portal->Calls("Close").empty(); }));
    EXPECT_EQ(portal->Calls("Close")[0].session, session);
}

} // namespace
} // namespace tallyrun::test
