#include "app/create_main_window.h"

#include "shelltree/tree_view.h"

namespace tallyrun {

std::unique_ptr<TfrmMain> CreateMainWindow()
{
    // The tree becomes the window's child; it outlives the window's use of it.
    auto* tree = new TQorShTreeView;
    auto window = std::make_unique<TfrmMain>(*tree, tree);
    // Building the tree selects the Desktop and reports it, so the first analysis runs here,
    // while the splash window shows.
    tree->Loaded();
    return window;
}

} // namespace tallyrun
