// What the folder tree offers its host: the file-system path of the selected node, the
// selected node itself, selecting a folder by its path, and a report when the selection has
// moved to a valid node. The
// analysis run depends only on this, so it can be driven by any implementation.
#pragma once

#include <functional>
#include <string>

class QObject;

namespace tallyrun {

class TQorShTreeNode;

class TSelectedFolder
{
public:
    using TChangeEvent = std::function<void(QObject* sender, TQorShTreeNode* node)>;

    virtual ~TSelectedFolder() = default;

    // Clears `text`, then sets it to the selected node's path when a valid node is selected:
    // an ordinary folder without a trailing "/", a drive's mount point with its "/", the
    // desktop directory for the Desktop; empty for items without a file-system path and when
    // nothing is selected. Reads the selection anew on every call.
    virtual void SelectedPath(std::string& text) const = 0;
    // The selected node, or nullptr.
    virtual TQorShTreeNode* SelectedNode() const = 0;
    // Selects the folder at `path` (raw bytes, a trailing "/" allowed), which is reported as
    // any selection change; false when no node shows that folder.
    virtual bool SelectFolder(const std::string& path) = 0;

    // Raised on the UI thread after the selection has moved to a valid node.
    TChangeEvent OnChange;
};

} // namespace tallyrun
