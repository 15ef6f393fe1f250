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

// A drop the user made: the raw paths of the dragged items, the folder they go to and what
// happens to them. Carried out later, on any thread.
struct TDropRequest
{
    std::vector<std::string> sources;
    std::string targetFolder;
    platform::TDropEffect effect = platform::TDropEffect::deCopy;
};

// What came of a drop carried out: one outcome per dragged item, in order.
struct TDropReport
{
    std::vector<platform::TDropItemOutcome> outcomes;
};

// The drop of the dragged items into `targetFolder` with the effect the modifier keys choose.
// False, with the reason, when the drop is refused whole (see DragSourcePaths).
bool RequestDrop(TQorShDragObject& drag, const std::string& targetFolder,
                 Qt::KeyboardModifiers modifiers, TDropRequest& request, std::string& error);

// Drops the items: one outcome per source, in order.
std::vector<platform::TDropItemOutcome> CarryOutDrop(const TDropRequest& request);

} // namespace tallyrun
