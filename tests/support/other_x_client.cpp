#include "tests/support/other_x_client.h"

#include "platform/x11_key_grab.h"

namespace tallyrun::test {

bool TOtherClient::GrabKey(std::uint32_t keySym, std::uint16_t modifiers)
{
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
    const auto cookie = xcb_grab_key_checked(connection_, 0, screen->root, modifiers,
                                             platform::X11KeyCodeFor(connection_, keySym),
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
    xcb_generic_error_t* error = xcb_request_check(connection_, cookie);
    free(error);
    return error == nullptr;
}

} // namespace tallyrun::test
