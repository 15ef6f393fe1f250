// THookHotKey: a non-visual component that registers system-wide hot keys and turns each
// press into its OnHotKey event, on the UI thread, after bringing its owner's window to the
// front. It takes the keys one of three ways (Route), chosen when it is made:
// - through the desktop's global-shortcuts portal, wherever the session bus offers it (GNOME
//   and Plasma, on Wayland and on X11): the desktop binds each key, possibly to another
//   trigger or to none, and says so later (OnBindingChanged);
// - by a grab on the root window through Qt's own X connection, on an X server that is the
//   desktop's own;
// - inside the program's windows only: on Wayland without the portal (an X grab under
//   XWayland would see only the keys sent to X11 windows, while reporting success), without
//   an X connection (e.g. offscreen), and for a key the X server refuses.
// A key taken inside the program works in any of its windows, also while the owner's window
// is disabled; it stays taken there alongside the portal, so that it works while the desktop
// has not bound it.
#pragma once

#include "widgets/hot_key_route.h"

#include <QAbstractNativeEventFilter>
#include <QKeyCombination>
#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class QWidget;
struct xcb_connection_t;

namespace tallyrun {

namespace platform {
class TPortalShortcuts;
struct TPortalTrigger;
class TX11KeyGrabs;
} // namespace platform

class THookHotKey;
// Sender and the number the pressed key was registered under.
using THotKeyEvent = std::function<void(THookHotKey* sender, int index)>;
// Sender, the number of the key and what the desktop bound it to.
using THotKeyBindingEvent =
    std::function<void(THookHotKey* sender, int index, const THotKeyBinding& binding)>;

class THookHotKey : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT

public:
    // Owned by `owner` (its form), whose window comes to the front on a hot key. Without an
    // owner nothing is brought forward and no application shortcut can stand in.
    explicit THookHotKey(QWidget* owner);
    // Releases the grabs this component made, and only those.
    ~THookHotKey() override;

    // Bring the owner's window to the front before raising the event; default true.
    bool Activate() const { return activate_; }
    void SetActivate(bool activate) { activate_ = activate; }

    const THotKeyEvent& OnHotKey() const { return onHotKey_; }
    void SetOnHotKey(THotKeyEvent handler) { onHotKey_ = std::move(handler); }

    // What the desktop made of a key registered through the portal: raised when its answer
    // comes, when the user changes the trigger in the desktop's settings, and when the portal
    // goes away.
    const THotKeyBindingEvent& OnBindingChanged() const { return onBindingChanged_; }
    void SetOnBindingChanged(THotKeyBindingEvent handler)
    {
        onBindingChanged_ = std::move(handler);
    }

    // Registers `shortCut` (key and shift state) system-wide under `number`; `description`
    // names what the key does in the desktop's list of shortcuts. With the X grab: true when
    // the server accepted it; false when another program holds the key or the key has no code
    // on this keyboard. With the portal: true when the key went to the desktop, which answers
    // later (Binding, OnBindingChanged); keys registered in one go are bound together, and
    // one registered after that bind went out is false. Inside the program only: false. A
    // key that is not system-wide still works in the program's windows.
    bool RegisterShortCut(int number, QKeyCombination shortCut, const QString& description = {});

    // The way the keys are taken now; it changes from the portal when the portal goes away.
    THotKeyRoute Route() const { return route_; }
    // What the key under `number` is bound to; nothing while the desktop has not answered or
    // for a number never registered.
    std::optional<THotKeyBinding> Binding(int number) const;

    // Raises OnHotKey for `index` when a handler is assigned, bringing the owner's window to
    // the front first when Activate is set. Descendants may override it.
    virtual void DoHotKey(int index);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

protected:
    // Takes the presses of the keys that stand in for refused registrations, whichever of the
    // program's widgets has the focus.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A hot key arrived: DoHotKey with its errors shown, so the event loop goes on.
    void HotKeyMessage(int index);
    void BringOwnerToFront();
    void AddApplicationKey(int number, QKeyCombination shortCut);
    void UseX11Grabs();
    bool Grab(int number, QKeyCombination shortCut);
    // The portal's side.
    void StartPortal();
    void BindThroughPortal();
    void PortalBound(const QList<platform::TPortalTrigger>& triggers);
    void PortalFailed();
    void PortalActivated(const QString& id, const QString& activationToken);
    void SetBinding(int number, const THotKeyBinding& binding);

    QWidget* owner_;
    bool activate_ = true;
    THotKeyEvent onHotKey_;
    THotKeyBindingEvent onBindingChanged_;
    xcb_connection_t* connection_;
    THotKeySession session_;
    THotKeyRoute route_;
    std::unique_ptr<platform::TX11KeyGrabs> grabs_;
    // The portal's session; it is given up (deleteLater) when the portal fails.
    platform::TPortalShortcuts* portal_ = nullptr;
    bool portalBindSent_ = false;
    // Each key registered with the portal, by number, with its description.
    struct TPortalKey
    {
        QKeyCombination shortCut;
        QString description;
    };
    std::map<int, TPortalKey> portalKeys_;
    std::map<int, THotKeyBinding> bindings_;
    // The token of the last portal activation, which lets a Wayland window come forward.
    QString activationToken_;
    // Keys taken inside the program, with the number each stands in for.
    std::vector<std::pair<int, QKeyCombination>> applicationKeys_;
};

} // namespace tallyrun
