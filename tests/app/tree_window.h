// The real folder tree for main-window tests, rooted at a test-owned folder so that what it
// shows is known.
#pragma once

#include "shelltree/tree_view.h"

#include <string>

namespace tallyrun::test {

// A new tree whose root node is the folder at `root`; the window it is given to owns it.
inline TQorShTreeView* NewTreeRootedAt(const std::string& root)
{
    auto* tree = new TQorShTreeView;
    TQorShRoot shRoot;
    shRoot.SetUsesID(false);
    shRoot.SetRootPath(root);
    tree->SetShRoot(shRoot);
    return tree;
}

} // namespace tallyrun::test
