// Another X client for tests on a private X server: its own connection, a window that can
// take the input focus, and key grabs of its own.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>

namespace tallyrun::test {

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
        auto* reply =
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr);
        const xcb_window_t focus = reply ? reply->focus : xcb_window_t{XCB_WINDOW_NONE};
        free(reply);
        return focus;
    }
    // Grabs a key on the root window; false when the server refuses.
    bool GrabKey(std::uint32_t keySym, std::uint16_t modifiers);

private:
    xcb_connection_t* connection_;
    xcb_window_t window_ = XCB_WINDOW_NONE;
};

} // namespace tallyrun::test
