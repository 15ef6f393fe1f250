// How the hot-key component takes its keys, and what the desktop made of a key bound through
// its portal. Plain logic, testable without a window or a bus.
#pragma once

#include <QKeyCombination>
#include <QString>

#include <functional>

namespace tallyrun {

// The way a registered key reaches the program.
enum class THotKeyRoute
{
    hkrPortal,   // the desktop's global-shortcuts portal binds it
    hkrX11Grab,  // a key grab on the X server's root window
    hkrInWindow, // only inside the program's own windows
};

// What the component finds about the session it runs in.
struct THotKeySession
{
    unsigned portalVersion = 0;  // of the global-shortcuts interface; 0 when there is none
    bool x11Connection = false;  // Qt talks to an X server
    bool waylandSession = false; // the desktop is a Wayland compositor (also under XWayland)
};

// The portal whenever it offers version 1 or later; a grab on an X server that is the
// desktop's own; else the program's windows only. Under XWayland a grab would see only the
// keys sent to X11 windows while it reports success, so it is never used there.
THotKeyRoute ChooseHotKeyRoute(const THotKeySession& session);

// Whether the environment names a Wayland session: WAYLAND_DISPLAY set, or XDG_SESSION_TYPE
// "wayland". `variable` reads one environment variable.
bool IsWaylandSession(const std::function<QString(const char* name)>& variable);

// The trigger the program asks the portal for, in the form of the freedesktop shortcuts
// texts: modifiers CTRL, ALT, SHIFT, LOGO and the key's name joined by '+' ("F5",
// "CTRL+SHIFT+F8", "ALT+a").
QString PortalTriggerText(QKeyCombination key);

// What the desktop bound a key to, as the component reports it.
enum class THotKeyBindingState
{
    hbsAsAsked, // the key itself works system-wide
    hbsOther,   // the desktop bound another trigger (`trigger` tells it)
    hbsNone,    // nothing is bound system-wide; the key works inside the program only
};

struct THotKeyBinding
{
    THotKeyBindingState state = THotKeyBindingState::hbsNone;
    QString trigger; // the desktop's text of the trigger, cleaned for one line
    bool operator==(const THotKeyBinding&) const = default;
};

// Classifies the desktop's `trigger` text for the key `asked`. Desktops spell triggers their
// own way ("F5", "f5", "Ctrl+Shift+F8", "CTRL+SHIFT+F8"); the text is compared by the key
// it names. Control characters become spaces and the text is cut to 64 characters, because
// it is shown in a one-line panel.
THotKeyBinding ClassifyTrigger(const QString& trigger, QKeyCombination asked);

} // namespace tallyrun
