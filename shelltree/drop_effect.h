// Which drop a set of modifier keys asks for: plain copies, Shift moves, Ctrl+Shift or Alt
// links (Ctrl alone still copies, as it does in the desktop's file managers).
#pragma once

#include "platform/drop_entries.h"

#include <Qt>

namespace tallyrun {

platform::TDropEffect DropEffectForModifiers(Qt::KeyboardModifiers modifiers);

// The Qt drop action that shows the effect to the user while dragging.
Qt::DropAction DropActionOfEffect(platform::TDropEffect effect);

} // namespace tallyrun
