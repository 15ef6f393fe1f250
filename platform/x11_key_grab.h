// System-wide key grabs on an X server: a key with modifiers grabbed on every root window, so
// that pressing it in any application reports it to this program.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct xcb_connection_t;

namespace tallyrun::platform {

// Modifier bits of a grab request, numbered like the hot-key modifiers of the hot-key interface.
enum TGrabModifier : std::uint32_t
{
    gmAlt = 0x0001,
    gmControl = 0x0002,
    gmShift = 0x0004,
    gmWin = 0x0008,
};

// What a native event is to the grabs of one TX11KeyGrabs.
struct TGrabbedKeyEvent
{
    bool press = false; // a press; otherwise the release of a grabbed key
    int id = 0;         // the number the key was grabbed under
};

// The grabs one owner has made on one connection. Each key is grabbed with its modifiers as
// given and again with CapsLock, NumLock and both, so that the lock keys do not hide it. Only
// grabs this object made are ever released: on Release and on destruction.
// Use from the thread that owns the connection (the UI thread).
class TX11KeyGrabs
{
public:
    explicit TX11KeyGrabs(xcb_connection_t* connection);
    ~TX11KeyGrabs();
    TX11KeyGrabs(const TX11KeyGrabs&) = delete;
    TX11KeyGrabs& operator=(const TX11KeyGrabs&) = delete;

    // Grabs `keySym` with `modifiers` (TGrabModifier bits) under `id`. False, holding nothing
    // new, when the keyboard has no such key, this program already holds the combination, or
    // the server refuses one of the variants because another client holds it; the refusal is
    // read from the server's error reply, synchronously.
    bool Grab(int id, std::uint32_t keySym, std::uint32_t modifiers);
    // Releases every grab made under `id`.
    void Release(int id);
    // Whether the xcb event `event` is a press or release of a key grabbed here.
    std::optional<TGrabbedKeyEvent> Match(const void* event) const;

private:
    struct TGrab
    {
        int id;
        std::uint32_t root;
        std::uint8_t keyCode;
        std::uint16_t modifiers; // X modifier mask, without the lock variants
    };
    // The lock-key states a grab is repeated for: none, CapsLock, NumLock, both.
    std::array<std::uint16_t, 4> LockVariants() const;
    void Ungrab(const TGrab& grab, std::uint16_t lockMask);

    xcb_connection_t* connection_;
    std::uint16_t numLockMask_;
    std::vector<TGrab> grabs_;
};

// The key code that produces `keySym` on the connection's keyboard; 0 when none does.
std::uint8_t X11KeyCodeFor(xcb_connection_t* connection, std::uint32_t keySym);

// Brings the top-level window `window` to the front with the input focus: through the window
// manager's _NET_ACTIVE_WINDOW request where one runs, otherwise by raising it and setting the
// focus directly.
void X11ActivateWindow(xcb_connection_t* connection, std::uint32_t window);

} // namespace tallyrun::platform
