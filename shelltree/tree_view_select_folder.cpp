// Selecting a folder by its path, as the chart's drill-down does.
#include "shelltree/tree_view.h"

namespace tallyrun {

bool TCustomQorShTreeView::SelectFolder(const std::string& path)
{
    std::string wanted = path;
    while (wanted.size() > 1 && wanted.back() == '/')
        wanted.pop_back();
    TQorShTreeNode* selected = SelectedNode();
    if (TQorShTreeNode::IsValid(selected)) {
        ExpandNode(selected);
        for (int i = 0; i < selected->childCount(); ++i) {
            TQorShTreeNode* child = selected->ChildNode(i);
            if (TQorShTreeNode::IsValid(child) && child->Item()->Path() == wanted) {
                Busy([this, child] { SelectNode(child); });
                return true;
            }
        }
    }
    PItemIDList list = nullptr;
    if (!TQorShID::IDListFromPath(wanted, list))
        return false;
    const TIDListPtr owned(list);
    // The walk stops at the root when the list is not found; that is not the folder asked for.
    TQorShTreeNode* node = FindNode(owned.get());
    if (!TQorShTreeNode::IsValid(node) ||
        !TQorShID::SameIDList(node->Item()->AbsoluteIDList(), owned.get()))
        return false;
    Busy([this, node] { SelectNode(node); });
    return true;
}

} // namespace tallyrun
