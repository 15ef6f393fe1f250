// THookHotKey: a non-visual component that registers system-wide hot keys and turns each
// press into its OnHotKey event, on the UI thread, after bringing its owner's window to the
// front. On X11 the keys are grabbed on the root window through Qt's own X connection, so a
// registered key pressed in any application reaches the program. Without an X connection
// (another platform plugin, e.g. offscreen) registration returns false and an application
// shortcut of the owner stands in, so the key still works inside the program's own windows.
#pragma once

#include <QAbstractNativeEventFilter>
#include <QKeyCombination>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class QShortcut;
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
    // this keyboard, or there is no X connection (then the application shortcut stands in).
    bool RegisterShortCut(int number, QKeyCombination shortCut);

    // Raises OnHotKey for `index` when a handler is assigned, bringing the owner's window to
    // the front first when Activate is set. Descendants may override it.
    virtual void DoHotKey(int index);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private:
    // A hot key arrived: DoHotKey with its errors shown, so the event loop goes on.
    void HotKeyMessage(int index);
    void BringOwnerToFront();
    void AddApplicationShortcut(int number, QKeyCombination shortCut);

    QWidget* owner_;
    bool activate_ = true;
    THotKeyEvent onHotKey_;
    xcb_connection_t* connection_;
    std::unique_ptr<platform::TX11KeyGrabs> grabs_;
    std::vector<QPointer<QShortcut>> shortcuts_;
};

} // namespace tallyrun
