// What a drop onto a folder node does with the drag object: the drag-over refusal of a folder
// dropped onto itself, and the drop itself, which resolves the dragged items to paths and hands
// them to the file operations.
#pragma once

#include "platform/drop_entries.h"
#include "shelltree/drag_object.h"

#include <Qt>

#include <string>
#include <vector>

namespace tallyrun {

// True when the drag is a single item of the identifier array whose absolute list (its parent's
// list with its identifier appended) is the node's own list or an ancestor of it.
bool DragIsOntoItself(TQorShDragObject& drag, PCItemIDList nodeList);

// The raw paths of the dragged items. False, with the reason, when the payload is malformed or
// any item has no file-system path: then nothing is dropped at all.
bool DragSourcePaths(TQorShDragObject& drag, std::vector<std::string>& paths, std::string& error);

struct TDropReport
{
    bool accepted = false;                            // false: refused whole, no file touched
    std::string error;                                // why it was refused
    std::vector<platform::TDropItemOutcome> outcomes; // one per item when accepted
};

// Drops the dragged items into `targetFolder` with the effect the modifier keys choose.
TDropReport DropOntoFolder(TQorShDragObject& drag, const std::string& targetFolder,
                           Qt::KeyboardModifiers modifiers);

} // namespace tallyrun
