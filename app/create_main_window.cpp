#include "app/create_main_window.h"

#include "app/folder_tree_stand_in.h"

namespace tallyrun {

std::unique_ptr<TfrmMain> CreateMainWindow()
{
    // The tree becomes the window's child; it outlives the window's use of it.
    auto* tree = new TFolderTreeStandIn;
    auto window = std::make_unique<TfrmMain>(*tree, tree);
    tree->SelectInitialFolder();
    return window;
}

} // namespace tallyrun
