// The hot-key component's logic without a window or a bus: the choice of route, the trigger
// texts for and from the desktop, and the portal's object path rules.
#include "widgets/hot_key_route.h"

#include "platform/portal_request.h"

#include <gtest/gtest.h>

#include <map>

namespace tallyrun::test {
namespace {

TEST(HotKeyRouteTest, PortalFirstThenAGrabOnPureX11ElseTheWindowOnly)
{
    using R = THotKeyRoute;
    const struct
    {
        THotKeySession session;
        R expected;
    } cases[] = {
        {{1, true, false}, R::hkrPortal},    // X11 session with the portal
        {{2, false, true}, R::hkrPortal},    // native Wayland window
        {{1, true, true}, R::hkrPortal},     // XWayland with the portal
        {{0, true, false}, R::hkrX11Grab},   // pure X11
        {{0, true, true}, R::hkrInWindow},   // XWayland: a grab would only pretend
        {{0, false, true}, R::hkrInWindow},  // Wayland without the portal
        {{0, false, false}, R::hkrInWindow}, // offscreen
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseHotKeyRoute(c.session), c.expected)
            << c.session.portalVersion << c.session.x11Connection << c.session.waylandSession;
    }
}

TEST(HotKeyRouteTest, WaylandSessionFromTheEnvironment)
{
    const struct
    {
        std::map<std::string, QString> variables;
        bool expected;
    } cases[] = {
        {{}, false},
        {{{"WAYLAND_DISPLAY", "wayland-0"}}, true},
        {{{"XDG_SESSION_TYPE", "wayland"}}, true},
        {{{"XDG_SESSION_TYPE", "x11"}}, false},
        {{{"XDG_SESSION_TYPE", "tty"}, {"WAYLAND_DISPLAY", ""}}, false},
    };
    for (const auto& c : cases) {
        const auto variable = [&](const char* name) {
            const auto it = c.variables.find(name);
            return it == c.variables.end() ? QString() : it->second;
        };
        EXPECT_EQ(IsWaylandSession(variable), c.expected);
    }
}

TEST(HotKeyRouteTest, TriggerTextsForAndFromTheDesktop)
{
    EXPECT_EQ(PortalTriggerText(Qt::Key_F5), "F5");
    EXPECT_EQ(PortalTriggerText(Qt::CTRL | Qt::SHIFT | Qt::Key_F8), "CTRL+SHIFT+F8");
    EXPECT_EQ(PortalTriggerText(Qt::ALT | Qt::Key_A), "ALT+a");

    using S = THotKeyBindingState;
    const struct
    {
        QString trigger;
        QKeyCombination asked;
        S state;
        QString shown;
    } cases[] = {
        {"F5", Qt::Key_F5, S::hbsAsAsked, "F5"},
        {" f5 ", Qt::Key_F5, S::hbsAsAsked, "f5"},
        {"CTRL+SHIFT+F8", Qt::CTRL | Qt::SHIFT | Qt::Key_F8, S::hbsAsAsked, "CTRL+SHIFT+F8"},
        {"Ctrl+Alt+F5", Qt::Key_F5, S::hbsOther, "Ctrl+Alt+F5"},
        {"LOGO+r", Qt::Key_F5, S::hbsOther, "LOGO+r"},
        {"Press Super+F5", Qt::Key_F5, S::hbsOther, "Press Super+F5"},
        {"", Qt::Key_F5, S::hbsNone, ""},
        {" \t", Qt::Key_F5, S::hbsNone, ""},
        // A desktop's text never breaks the one-line panel, nor makes it endless.
        {"Ctrl+\nF9\x1b", Qt::Key_F5, S::hbsOther, "Ctrl+ F9"},
        {QString(100, QLatin1Char('x')), Qt::Key_F5, S::hbsOther, QString(64, QLatin1Char('x'))},
    };
    for (const auto& c : cases) {
        const THotKeyBinding binding = ClassifyTrigger(c.trigger, c.asked);
        EXPECT_EQ(binding.state, c.state) << c.trigger.toStdString();
        EXPECT_EQ(binding.trigger, c.shown) << c.trigger.toStdString();
    }
}

TEST(HotKeyRouteTest, RequestAndSessionPathsFollowThePortalsRules)
{
    EXPECT_EQ(platform::PortalRequestPath(":1.42", "tok_1"),
              "/org/freedesktop/portal/desktop/request/1_42/tok_1");
    EXPECT_EQ(platform::PortalSessionPath(":1.2.3", "s"),
              "/org/freedesktop/portal/desktop/session/1_2_3/s");
    const QString a = platform::NewPortalToken();
    const QString b = platform::NewPortalToken();
    EXPECT_NE(a, b);
    for (const QString& token : {a, b}) {
        ASSERT_FALSE(token.isEmpty());
        for (const QChar c : token)
            EXPECT_TRUE((c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('_'))
                << token.toStdString();
    }
}

} // namespace
} // namespace tallyrun::test
