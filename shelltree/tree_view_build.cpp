// Building the tree and merging listings into it: the root with Computer open, and the merge
// that keeps the nodes of items that are still there.
#include "shelltree/tree_view.h"

#include "shelltree/folder_locations.h"
#include "shelltree/sh_folder.h"
#include "shelltree/wait_cursor.h"

namespace tallyrun {
namespace {

// Turns painting off while it lives, so a build or clear repaints once.
class TBulkUpdate
{
public:
    explicit TBulkUpdate(QWidget* widget) : widget_(widget), was_(widget->updatesEnabled())
    {
        widget_->setUpdatesEnabled(false);
    }
    ~TBulkUpdate() { widget_->setUpdatesEnabled(was_); }
    TBulkUpdate(const TBulkUpdate&) = delete;
    TBulkUpdate& operator=(const TBulkUpdate&) = delete;

private:
    QWidget* widget_;
    bool was_;
};

} // namespace

TQorShTreeNode* TCustomQorShTreeView::MakeNode(std::unique_ptr<TQorShFolderData> item)
{
    const QString text = QString::fromStdString(item->DisplayName());
    auto* node = new TQorShTreeNode(std::move(item));
    node->setText(0, text);
    node->Attach();
    return node;
}

void TCustomQorShTreeView::RefreshChildren(TQorShTreeNode* node)
{
    Busy([this, node] { MergeChildren(node); });
}

void TCustomQorShTreeView::MergeChildren(TQorShTreeNode* node)
{
    if (!TQorShTreeNode::IsValid(node))
        return;
    const std::shared_ptr<TShFolder> folder = node->Item()->OwnFolder();
    if (!folder)
        return;
    TWaitCursor cursor;
    TItemList fresh;
    EnumerateChildren(folder, *node->Item(), fresh);

    int c = 0; // the existing child the merge has reached
    // New nodes after the last existing child, added in one go; freed if the merge fails.
    std::vector<std::unique_ptr<QTreeWidgetItem>> appended;
    for (auto& record : fresh) {
        bool placed = false;
        while (!placed) {
            TQorShTreeNode* existing = c < node->childCount() ? node->ChildNode(c) : nullptr;
            if (!existing) {
                if (AcceptsItem(*record))
                    appended.emplace_back(MakeNode(std::move(record)));
                placed = true;
                continue;
            }
            const TShCompareResult order =
                TQorShTreeNode::IsValid(existing)
                    ? folder->CompareIDs(existing->Item()->RelativeID(), record->RelativeID())
                    : TShCompareResult::crFailure;
            if (order == TShCompareResult::crEqual) {
                ++c;
                placed = true;
            } else if (order == TShCompareResult::crAfter) {
                if (AcceptsItem(*record)) {
                    node->insertChild(c, MakeNode(std::move(record)));
                    ++c;
                }
                placed = true;
            } else {
                // Gone from the folder (or not comparable): the node and its subtree go.
                DeleteNode(existing);
            }
        }
    }
    while (node->childCount() > c)
        DeleteNode(node->ChildNode(node->childCount() - 1));
    if (!appended.empty()) {
        QList<QTreeWidgetItem*> nodes;
        nodes.reserve(static_cast<qsizetype>(appended.size()));
        for (auto& added : appended)
            nodes.append(added.release());
        node->addChildren(nodes);
    }
}

void TCustomQorShTreeView::RebuildTree()
{
    Busy([this] { Build(); });
}

void TCustomQorShTreeView::Build()
{
    std::unique_ptr<TQorShFolderData> rootItem = shRoot_.MakeRootItem();
    if (!rootItem)
        return;
    TQorShTreeNode* root = nullptr;
    {
        TBulkUpdate bulk(this);
        ClearNodes();
        root = MakeNode(std::move(rootItem));
        addTopLevelItem(root);
        ExpandNode(root);
    }
    if (root->Level() == 0) {
        PItemIDList computer = nullptr;
        if (SpecialFolderIDList(sfidDrives, computer)) {
            for (int i = 0; i < root->childCount(); ++i) {
                TQorShTreeNode* child = root->ChildNode(i);
                if (TQorShTreeNode::IsValid(child) &&
                    TQorShID::SameIDList(child->Item()->AbsoluteIDList(), computer)) {
                    ExpandNode(child);
                    break;
                }
            }
        }
        TQorShID::FreeIDList(computer);
    }
    SelectNode(root);
    // The folders the user had expanded open again; the list may grow meanwhile, so copies
    // of the entries are walked.
    std::vector<TIDListPtr> entries;
    for (const TIDListPtr& entry : expandedFolders_)
        entries.emplace_back(TQorShID::CopyIDList(entry.get()));
    for (const TIDListPtr& entry : entries) {
        TQorShTreeNode* current = RootNode();
        if (current && TQorShID::IsAncestorIDList(current->Item()->AbsoluteIDList(), entry.get()))
            ExpandNode(FindNode(entry.get()));
    }
    UpdateShownFolders();
}

} // namespace tallyrun
