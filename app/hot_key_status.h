// The status-bar text that tells which key the desktop bound for F5, when it is not F5.
#pragma once

#include "widgets/hot_key_route.h"

#include <QString>

namespace tallyrun {

// Empty when the key itself is bound; else the desktop's trigger, or that there is none.
QString HotKeyBindingText(const THotKeyBinding& binding);

} // namespace tallyrun
