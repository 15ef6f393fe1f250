// THookHotKey: a non-visual component that registers system-wide hot keys and turns each
// press into its OnHotKey event, on the UI thread, after bringing its owner's window to the
// front. On X11 the keys are grabbed on the root window through Qt's own X connection, so a
// registered key pressed in any application reaches the program. Without an X connection
// (another platform plugin, e.g. offscreen), or when the X server refuses the grab because
// another client holds the key, registration returns false and the key is still taken inside
// the program's own windows, in any of them, also while the owner's window is disabled.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeyCombination>
#include <QObject>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QWidget;
struct xcb_connection_t;

namespace tallyrun {

namespace platform {
class TX11KeyGrabs;
}

class THookHotKey;
// Sender and the number the pressed key was registered under.
using THotKeyEvent = std::function<void(THookHotKey* sender, int index)>;

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

    // Registers `shortCut` (key and shift state) system-wide under `number`. True when the
    // platform accepted it; false when another program holds the key, the key has no code on
    // this keyboard, or there is no X connection (then the key works in the program's windows).
    bool RegisterShortCut(int number, QKeyCombination shortCut);

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

    QWidget* owner_;
    bool activate_ = true;
    THotKeyEvent onHotKey_;
    xcb_connection_t* connection_;
    std::unique_ptr<platform::TX11KeyGrabs> grabs_;
    // Keys taken inside the program, with the number each stands in for.
    std::vector<std::pair<int, QKeyCombination>> applicationKeys_;
};

} // namespace tallyrun
