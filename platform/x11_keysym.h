// The X keysym of a Qt key code, for the keys a hot key can be made of.
#pragma once

#include <cstdint>

namespace tallyrun::platform {

// 0 when the key has no keysym here. Letters give their lower-case keysym, the one a
// keyboard map lists first.
std::uint32_t KeySymForQtKey(int qtKey);

} // namespace tallyrun::platform
