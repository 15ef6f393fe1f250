// In-place renaming of a tree node's item: when an edit may start, and what the end of an edit
// does with the typed text while the tree's watcher is paused.
#pragma once

#include "shelltree/item_data.h"

#include <functional>
#include <string>

namespace tallyrun {

// The watcher pause around a rename, so the tree does not refresh itself in the middle of it.
struct TWatchPause
{
    std::function<void()> suspend;
    std::function<void()> resume;
};

// An edit may start only on a valid item below the Desktop that the namespace lets us rename,
// while no mouse drag is under way and the tree's own editing rule allows it.
bool CanStartLabelEdit(TQorShData* item, bool mouseIdle, bool editingAllowed);

// Renames the item to `text` with the watcher paused (resumed on every path, also when the
// rename throws) and returns the text the node shows afterwards: the item's display name, so a
// refused rename shows the old name again. `renamed` tells whether the name changed.
std::string FinishLabelEdit(TQorShData& item, const std::string& text, const TWatchPause& pause,
                            bool& renamed);

} // namespace tallyrun
