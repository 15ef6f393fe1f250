// What the tree does after a node's item has been renamed.
#include "shelltree/tree_view.h"

#include "shelltree/sh_folder.h"

namespace tallyrun {

void TCustomQorShTreeView::NodeRenamed(TQorShTreeNode* node, bool accepted)
{
    Busy([this, node, accepted] { ShowRenamed(node, accepted); });
}

void TCustomQorShTreeView::ShowRenamed(TQorShTreeNode* node, bool accepted)
{
    if (accepted && TQorShTreeNode::IsValid(node)) {
        const bool wasExpanded = node->isExpanded();
        // The node's path changed, and it leaves its place for a while: it is shown again,
        // with its new path, once it is back.
        RemoveShown(node);
        while (node->childCount() > 0)
            DeleteNode(node->ChildNode(node->childCount() - 1));
        // The new name may sort elsewhere among the siblings.
        if (TQorShTreeNode* parentNode = node->ParentNode()) {
            const std::shared_ptr<TShFolder> folder = node->Item()->ParentFolder();
            const bool selected = node->isSelected();
            parentNode->takeChild(parentNode->indexOfChild(node));
            int row = 0;
            while (row < parentNode->childCount() &&
                   TQorShID::CompareIDs(folder.get(),
                                        parentNode->ChildNode(row)->Item()->RelativeID(),
                                        node->Item()->RelativeID()) == TShCompareResult::crBefore)
                ++row;
            parentNode->insertChild(row, node);
            if (selected)
                setCurrentItem(node);
        }
        RefreshChildren(node);
        if (wasExpanded)
            node->setExpanded(true);
        AddShown(node);
    }
    if (node && node->Item())
        node->setText(0, QString::fromStdString(node->Item()->DisplayName()));
}

} // namespace tallyrun
