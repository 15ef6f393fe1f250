#include "platform/x11_key_grab.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace tallyrun::platform {

namespace {

constexpr std::uint32_t kKeySymNumLock = 0xFF7F;
constexpr std::uint16_t kDefaultNumLockMask = XCB_MOD_MASK_2;
// The modifier bits a key event's state compares on (Shift to Mod5); button and group bits
// are not part of a grab.
constexpr std::uint16_t kModifierBits = 0xFF;

template <class T> using TReply = std::unique_ptr<T, decltype(&std::free)>;

template <class T> TReply<T> Owned(T* reply)
{
    return TReply<T>(reply, &std::free);
}

std::uint16_t XModifiers(std::uint32_t modifiers)
{
    std::uint16_t mask = 0;
    if (modifiers & gmShift)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & gmControl)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & gmAlt)
        mask |= XCB_MOD_MASK_1;
    if (modifiers & gmWin)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

std::vector<xcb_window_t> Roots(xcb_connection_t* connection)
{
    std::vector<xcb_window_t> roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0;
         xcb_screen_next(&it))
        roots.push_back(it.data->root);
    return roots;
}

// The modifier bit that NumLock sets on this server; Mod2 where the map does not say.
std::uint16_t FindNumLockMask(xcb_connection_t* connection)
{
    const std::uint8_t numLock = X11KeyCodeFor(connection, kKeySymNumLock);
    const auto reply = Owned(
        xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
    if (numLock == 0 || !reply)
        return kDefaultNumLockMask;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
        for (int k = 0; k < perModifier; ++k) {
            if (codes[modifier * perModifier + k] == numLock)
                return static_cast<std::uint16_t>(1u << modifier);
        }
    }
    return kDefaultNumLockMask;
}

// Every process-wide combination held by some TX11KeyGrabs, so that two owners in this
// program never share (and then release) one X grab. Touched on the UI thread only.
struct THeldKey
{
    xcb_connection_t* connection;
    xcb_window_t root;
    std::uint8_t keyCode;
    std::uint16_t modifiers;
    bool operator==(const THeldKey&) const = default;
};
std::vector<THeldKey>& HeldKeys()
{
    static std::vector<THeldKey> held;
    return held;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name)
{
    const auto reply = Owned(xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// True when a window manager announces itself on `root` (EWMH's supporting-WM check).
bool WindowManagerRuns(xcb_connection_t* connection, xcb_window_t root)
{
    const xcb_atom_t check = InternAtom(connection, "_NET_SUPPORTING_WM_CHECK");
    if (check == XCB_ATOM_NONE)
        return false;
    const auto reply = Owned(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
    return reply && xcb_get_property_value_length(reply.get()) >= 4;
}

xcb_window_t RootOf(xcb_connection_t* connection, xcb_window_t window)
{
    const auto reply =
        Owned(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr));
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
}

} // namespace

std::uint8_t X11KeyCodeFor(xcb_connection_t* connection, std::uint32_t keySym)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    if (keySym == 0 || count <= 0)
        return 0;
    const auto reply = Owned(xcb_get_keyboard_mapping_reply(
        connection,
        xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr));
    if (!reply || reply->keysyms_per_keycode == 0)
        return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int length = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    const int perCode = reply->keysyms_per_keycode;
    for (int at = 0; at < length; ++at) {
        if (syms[at] == keySym)
            return static_cast<std::uint8_t>(setup->min_keycode + at / perCode);
    }
    return 0;
}

TX11KeyGrabs::TX11KeyGrabs(xcb_connection_t* connection)
    : connection_(connection), numLockMask_(FindNumLockMask(connection))
{
}

TX11KeyGrabs::~TX11KeyGrabs()
{
    while (!grabs_.empty())
        Release(grabs_.front().id);
}

bool TX11KeyGrabs::Grab(int id, std::uint32_t keySym, std::uint32_t modifiers)
{
    const std::uint8_t keyCode = X11KeyCodeFor(connection_, keySym);
    if (keyCode == 0)
        return false;
    const std::uint16_t mask = XModifiers(modifiers);
    const std::vector<xcb_window_t> roots = Roots(connection_);
    auto& held = HeldKeys();
    for (xcb_window_t root : roots) {
        if (std::find(held.begin(), held.end(), THeldKey{connection_, root, keyCode, mask}) !=
            held.end())
            return false;
    }
    const auto locks = LockVariants();
    // Send every variant, then read each one's reply: a refused variant comes back as an
    // error (BadAccess when another client holds it) instead of reaching an error handler.
    struct TSent
    {
        xcb_window_t root;
        std::uint16_t lock;
        xcb_void_cookie_t cookie;
    };
    std::vector<TSent> sent;
    for (xcb_window_t root : roots) {
        for (std::uint16_t lock : locks) {
            sent.push_back(
                {root, lock,
                 xcb_grab_key_checked(connection_, 0, root, static_cast<std::uint16_t>(mask | lock),
                                      keyCode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
        }
    }
    std::vector<TSent> granted;
    for (const TSent& request : sent) {
        if (auto error = Owned(xcb_request_check(connection_, request.cookie)); !error)
            granted.push_back(request);
    }
    if (granted.size() != sent.size()) {
        for (const TSent& request : granted)
            Ungrab({id, request.root, keyCode, mask}, request.lock);
        xcb_flush(connection_);
        return false;
    }
    for (xcb_window_t root : roots) {
        grabs_.push_back({id, root, keyCode, mask});
        held.push_back({connection_, root, keyCode, mask});
    }
    return true;
}

std::array<std::uint16_t, 4> TX11KeyGrabs::LockVariants() const
{
    return {0, XCB_MOD_MASK_LOCK, numLockMask_,
            static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | numLockMask_)};
}

void TX11KeyGrabs::Ungrab(const TGrab& grab, std::uint16_t lockMask)
{
    xcb_ungrab_key(connection_, grab.keyCode, grab.root,
                   static_cast<std::uint16_t>(grab.modifiers | lockMask));
}

void TX11KeyGrabs::Release(int id)
{
    auto& held = HeldKeys();
    const auto locks = LockVariants();
    for (auto it = grabs_.begin(); it != grabs_.end();) {
        if (it->id != id) {
            ++it;
            continue;
        }
        for (std::uint16_t lock : locks)
            Ungrab(*it, lock);
        std::erase(held, THeldKey{connection_, it->root, it->keyCode, it->modifiers});
        it = grabs_.erase(it);
    }
    xcb_flush(connection_);
}

std::optional<TGrabbedKeyEvent> TX11KeyGrabs::Match(const void* event) const
{
    const auto* generic = static_cast<const xcb_generic_event_t*>(event);
    const std::uint8_t type = generic->response_type & 0x7F;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return std::nullopt;
    // Press and release events share one layout.
    const auto* key = static_cast<const xcb_key_press_event_t*>(event);
    const auto state = static_cast<std::uint16_t>(key->state & kModifierBits &
                                                  ~(XCB_MOD_MASK_LOCK | numLockMask_));
    for (const TGrab& grab : grabs_) {
        if (grab.root == key->event && grab.keyCode == key->detail && grab.modifiers == state)
            return TGrabbedKeyEvent{type == XCB_KEY_PRESS, grab.id};
    }
    return std::nullopt;
}

void X11ActivateWindow(xcb_connection_t* connection, std::uint32_t window)
{
    const xcb_window_t root = RootOf(connection, window);
    if (root == XCB_WINDOW_NONE)
        return;
    if (WindowManagerRuns(connection, root)) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = InternAtom(connection, "_NET_ACTIVE_WINDOW");
        // Source 2: a request on the user's direct behalf (the pressed hot key), which window
        // managers honour without their focus-stealing prevention.
        message.data.data32[0] = 2;
        message.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(connection, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    } else {
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        // The current server time is never older than the last focus change, so the request
        // is not dropped as stale; the user asked for the window by pressing the hot key.
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    }
    xcb_flush(connection);
}

} // namespace tallyrun::platform
