#include "widgets/hot_key_modifiers.h"

#include "platform/x11_key_grab.h"

namespace tallyrun {

std::uint32_t HotKeyModifiers(Qt::KeyboardModifiers shift)
{
    std::uint32_t modifiers = 0;
    if (shift & Qt::ShiftModifier)
        modifiers |= platform::gmShift;
    if (shift & Qt::AltModifier)
        modifiers |= platform::gmAlt;
    if (shift & Qt::ControlModifier)
        modifiers |= platform::gmControl;
    if (shift & Qt::MetaModifier)
        modifiers |= platform::gmWin;
    return modifiers;
}

} // namespace tallyrun
