// The hot-key modifier word of a keyboard shift state: Shift 0x0004, Alt 0x0001, Ctrl 0x0002,
// Meta (the Windows key) 0x0008, combined by OR; no modifier gives 0.
#pragma once

#include <Qt>

#include <cstdint>

namespace tallyrun {

std::uint32_t HotKeyModifiers(Qt::KeyboardModifiers shift);

} // namespace tallyrun
