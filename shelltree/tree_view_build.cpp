// Building the tree and listing children: the root, the kind filters, the folder's order and
// the merge that keeps the nodes of items that are still there.
#include "shelltree/tree_view.h"

#include "shelltree/folder_locations.h"
#include "shelltree/sh_folder.h"

#include <QApplication>

#include <algorithm>

namespace tallyrun {
namespace {

// Shows the hourglass while it lives, also when an error leaves the scope.
class TWaitCursor {
public:
    TWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// Turns painting off while it lives, so a build or clear repaints once.
class TBulkUpdate {
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

bool IsVirtualKind(TShItemIDType kind)
{
    return kind == itBitBucket || kind == itNetWork || kind == itVirtual || kind == itInterNet;
}

bool IsComputerVirtualKind(TShItemIDType kind)
{
    return kind == itVirtual || kind == itControls;
}

} // namespace

bool TCustomQorShTreeView::ListsChild(TQorShFolderData& parent, TQorShFolderData& child)
{
    // Only the first two levels hold items outside the file system; deeper children need no
    // look at their kind.
    const int level = parent.Level();
    if (level == 0) {
        const TShItemIDType kind = child.ItemType();
        return !IsVirtualKind(kind) || virtuaItems_.contains(kind);
    }
    if (level == 1) {
        const TShItemIDType parentKind = parent.ItemType();
        if (parentKind == itMyComputer) {
            const TShItemIDType kind = child.ItemType();
            return !IsComputerVirtualKind(kind) || virtuaItems_.contains(kind);
        }
        if (parentKind == itNetWork)
            return virtuaItems_.contains(itNetWork);
    }
    return true;
}

int TCustomQorShTreeView::EnumerateChildren(const std::shared_ptr<TShFolder>& folder,
                                            TQorShFolderData& parent, TItemList& list)
{
    std::uint32_t flags = SHCONTF_FOLDERS;
    if (includeFiles_)
        flags |= SHCONTF_NONFOLDERS;
    if (includeHidden_)
        flags |= SHCONTF_INCLUDEHIDDEN;
    std::vector<TIDListPtr> ids;
    folder->EnumObjects(flags, ids);
    const bool atDesktop = parent.Level() == 0;
    const std::size_t first = list.size();
    for (TIDListPtr& id : ids) {
        PItemIDList absolute = atDesktop
                                   ? TQorShID::CopyIDList(id.get())
                                   : TQorShID::ConcatIDLists(parent.AbsoluteIDList(), id.get());
        if (!absolute)
            continue;
        auto child = std::make_unique<TQorShFolderData>(absolute, id.release());
        child->SetParentFolder(folder);
        if (ListsChild(parent, *child))
            list.push_back(std::move(child));
    }
    std::stable_sort(list.begin() + static_cast<std::ptrdiff_t>(first), list.end(),
                     [&folder](const auto& a, const auto& b) {
                         return folder->CompareIDs(a->RelativeID(), b->RelativeID()) ==
                                TShCompareResult::crBefore;
                     });
    return static_cast<int>(list.size());
}

bool TCustomQorShTreeView::AcceptsItem(TQorShFolderData& item)
{
    bool accept = true;
    if (OnShAddData)
        OnShAddData(this, &item, accept);
    // The kind is looked at only when someone asks, as it costs a look at the disk.
    if (accept && OnShFilter && item.ItemType() == itFile)
        OnShFilter(this, &item, accept);
    return accept;
}

TQorShTreeNode* TCustomQorShTreeView::MakeNode(std::unique_ptr<TQorShFolderData> item)
{
    const QString text = QString::fromStdString(item->DisplayName());
    auto* node = new TQorShTreeNode(std::move(item));
    node->setText(0, text);
    node->Attach();
    return node;
}

void TCustomQorShTreeView::Busy(const std::function<void()>& operation)
{
    ++busy_;
    try {
        operation();
    } catch (...) {
        --busy_;
        throw;
    }
    if (--busy_ == 0 && reportAfterBusy_) {
        reportAfterBusy_ = false;
        SelectionChanged();
    }
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

void TCustomQorShTreeView::ForgetSubtree(const QTreeWidgetItem* top)
{
    const auto inside = [top](const QTreeWidgetItem* item) {
        for (; item; item = item->parent())
            if (!top || item == top)
                return true;
        return false;
    };
    if (dropHighlighted_ && inside(dropHighlighted_))
        dropHighlighted_ = nullptr;
    if (selectedNode_ && inside(selectedNode_))
        selectedNode_ = nullptr;
    if (findWatch_ && inside(findWatch_))
        findWatch_ = nullptr;
    if (expandingNode_ && inside(expandingNode_))
        expandingNode_ = nullptr;
    // A pending delayed report of a node that goes is dropped, never reported.
    if (changeDelayThread_) {
        auto* pending = static_cast<QTreeWidgetItem*>(
            static_cast<TQorShTreeNode*>(changeDelayThread_->PendingNode()));
        if (pending && inside(pending))
            changeDelayThread_->CancelChange(static_cast<TQorShTreeNode*>(pending));
    }
}

void TCustomQorShTreeView::DeleteNode(TQorShTreeNode* node)
{
    ForgetSubtree(node);
    QTreeWidgetItem* parentNode = node->parent();
    if (parentNode)
        delete parentNode->takeChild(parentNode->indexOfChild(node));
    else
        delete takeTopLevelItem(indexOfTopLevelItem(node));
}

void TCustomQorShTreeView::ClearNodes()
{
    ForgetSubtree(nullptr);
    clear();
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
