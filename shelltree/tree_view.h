// The folder tree: the namespace from its root (the Desktop by default) downwards, one node per
// item, children fetched when a node first expands and merged in again when the watcher
// reports a change. It reports the selection through the selected-folder contract: on button
// release for a click, at once for most keys, and once the selection has rested for 500 ms
// while an arrow key is held.
#pragma once

#include "platform/file_system_kind.h"
#include "platform/mount_change.h"
#include "shelltree/change_delay.h"
#include "shelltree/drag_object.h"
#include "shelltree/item_launcher.h"
#include "shelltree/notify_thread.h"
#include "shelltree/run_item.h"
#include "shelltree/selected_folder.h"
#include "shelltree/sh_root.h"
#include "shelltree/tree_node.h"

#include <QTreeWidget>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class QSocketNotifier;
class QTimer;

namespace tallyrun {

class TDropQueue;
class TShFolder;
struct TDropReport;

enum class TShMouseState
{
    msNone,
    msLeftPressed,
    msRightPressed,
    msOleDrag
};

class TCustomQorShTreeView : public QTreeWidget, public TSelectedFolder
{
    Q_OBJECT

public:
    // Asked about one item; `allow` starts true, so an unassigned event allows.
    using TShItemEvent = std::function<void(QObject* sender, TQorShFolderData* item, bool& allow)>;
    using TNotifyEvent = std::function<void(QObject* sender)>;
    using TItemList = std::vector<std::unique_ptr<TQorShFolderData>>;

    explicit TCustomQorShTreeView(QWidget* parent = nullptr);
    ~TCustomQorShTreeView() override;

    // What the root is; a change of any of its values rebuilds the tree and selects the
    // previously selected folder again when it lies under the new root.
    const TQorShRoot& ShRoot() const { return shRoot_; }
    void SetShRoot(const TQorShRoot& root) { shRoot_.Assign(root); }
    bool IncludeFiles() const { return includeFiles_; }
    void SetIncludeFiles(bool include);
    bool IncludeHidden() const { return includeHidden_; }
    void SetIncludeHidden(bool include);
    const TShVirtuaItems& ShVirtuaItems() const { return virtuaItems_; }
    void SetShVirtuaItems(const TShVirtuaItems& items);
    bool ChangeDelay() const { return changeDelay_; }
    void SetChangeDelay(bool delay) { changeDelay_ = delay; }

    TShItemEvent OnShAddData;
    TShItemEvent OnShFilter;
    TShItemEvent OnShExecute;
    TShItemEvent OnShLinkOpen;
    TShItemEvent OnShBeginDrag;
    TShItemEvent OnShDragEnter;
    TShItemEvent OnShDragOver;
    TShItemEvent OnShDragDrop;
    TShItemEvent OnShDragLeave;
    // Raised when the left button is released over the tree.
    TNotifyEvent OnClick;
    // Asked before a double-click opens something that could start a program; while none is
    // set the user is asked in a message box.
    TRunConfirm RunConfirm;

    // Called once the host has wired its events: builds the tree, which selects and reports
    // the root.
    void Loaded();

    void SelectedPath(std::string& text) const override;
    TQorShTreeNode* SelectedNode() const override;
    // A folder of the selected node is selected among its children, so that a folder of the
    // Desktop is selected under the Desktop; any other through the path's identifier list.
    bool SelectFolder(const std::string& path) override;
    // The selected node's absolute list; the root's when no valid node is selected; none for
    // an empty tree. The list belongs to the item.
    PCItemIDList SelectedIDList() const;
    // Selects the node of `list` (walking down and populating) unless it is selected already.
    void SelectIDList(PCItemIDList list);
    // The node of an absolute list; the root node when the list is not found.
    TQorShTreeNode* FindNode(PCItemIDList list);
    void RebuildTree();
    // Lists the children of `parent` through its own folder, filtered by kind and sorted in
    // the folder's order; the number of records in `list`.
    int EnumerateChildren(const std::shared_ptr<TShFolder>& folder, TQorShFolderData& parent,
                          TItemList& list);
    // Merges a fresh listing into the node's children: existing nodes of items that are
    // still there stay (with their expansion, selection and subtrees).
    void RefreshChildren(TQorShTreeNode* node);
    // Merges every visible populated node and re-reads the marks of the other visible ones.
    void RefreshVisible();
    void SuspendWatching();
    void ResumeWatching();
    // Expands the node, populating it first (a drive that is not ready expands unpopulated).
    void ExpandNode(TQorShTreeNode* node);
    bool IsVolumeReady(TQorShTreeNode* node) const;

    // Whether '*' is still opening a subtree, and how long one of its slices may work before
    // the event loop runs again (zero: one folder per slice).
    bool ExpandingSubtree() const { return subtreeTop_ != nullptr; }
    void SetSubtreeSliceBudget(std::chrono::milliseconds budget) { subtreeBudget_ = budget; }
    // Which folders '*' leaves closed when it comes to them below the node it was pressed on:
    // by default those on the kernel's pseudo file systems (/proc, /sys...), which hold no
    // disk space and whose trees are huge, change while read and are never entered by the
    // analysis run either. Pressed on such a folder itself, '*' opens it and all below it.
    using TSubtreeSkip = std::function<bool(const std::string& path)>;
    void SetSubtreeSkip(TSubtreeSkip skip) { subtreeSkip_ = std::move(skip); }
    // Whether the walk a watcher report started is still merging the visible nodes, whether
    // the expanded folders that no longer exist are still being looked for after it, and how
    // long one slice of either may work (zero: one node or one folder per slice).
    bool RefreshingVisible() const { return refreshWalking_; }
    bool PruningExpandedFolders() const { return pruning_; }
    void SetRefreshSliceBudget(std::chrono::milliseconds budget) { refreshBudget_ = budget; }

    TQorShTreeNode* RootNode() const;
    const std::vector<TIDListPtr>& ExpandedFolders() const { return expandedFolders_; }
    const std::vector<std::string>& DriveRoots() const { return driveRoots_; }
    TShMouseState MouseState() const { return mouseState_; }
    bool ArrowKeyDown() const { return arrowKeyDown_; }
    TQorShTreeNode* DropHighlighted() const { return dropHighlighted_; }
    // Drops made onto the tree whose files are still being put in place, or whose outcome has
    // not been told yet (they are carried out off the window's thread, one at a time).
    int DropsPending() const;
    TShNotifyThread* Watcher() const { return watcher_.get(); }
    TQorShChangeDelay* ChangeDelayThread() const { return changeDelayThread_.get(); }

    // The icon at an index of the process-wide icon list with an overlay (-1: none).
    QIcon IconFor(int index, int overlay) const;
    // After a rename of the node's item: repopulate when accepted, show the name in any case.
    void NodeRenamed(TQorShTreeNode* node, bool accepted);

    // What opens a double-clicked item that is not a folder (the desktop's handler by default).
    void SetLauncher(std::unique_ptr<TItemLauncher> launcher);
    // Where the mount points of removable volumes and their labels come from; by default the
    // kernel's mount table. Setting them starts watching the mount table anew.
    using TVolumeLabelSource = std::function<std::string(const std::string& mountPoint)>;
    void SetMediaSource(platform::TMountPointSource mountPoints, TVolumeLabelSource labels);
    // Reads the mount points again and gives the drive nodes of volumes that came or went
    // their caption (run when the mount table changes).
    void MediaChanged();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void commitData(QWidget* editor) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void customEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event) const override;

private:
    // Lifecycle (tree_view.cpp).
    void CreateThreads();
    void StopThreads();
    void ThreadEnded(TShThread& thread);
    void RootChanged();

    // Building and merging (tree_view_build.cpp).
    void Build();
    void MergeChildren(TQorShTreeNode* node);
    TQorShTreeNode* MakeNode(std::unique_ptr<TQorShFolderData> item);

    // Listing (tree_view_enumerate.cpp).
    bool AcceptsItem(TQorShFolderData& item);
    bool ListsChild(TQorShFolderData& parent, TQorShFolderData& child);

    // Node bookkeeping (tree_view_nodes.cpp).
    // Runs a tree operation that adds or deletes nodes. A selection that changes meanwhile
    // (Qt moves it off a deleted node) is reported once the outermost operation has ended,
    // so the host's handler never runs in the middle of a merge.
    void Busy(const std::function<void()>& operation);
    void DeleteNode(TQorShTreeNode* node);
    void ClearNodes();
    // Forgets the pointers the tree keeps (pending report, highlight) into a subtree that is
    // about to go; none forgets them all.
    void ForgetSubtree(const QTreeWidgetItem* top);

    // Expansion (tree_view_expand.cpp).
    void BeforeExpand(TQorShTreeNode* node);
    void AfterExpand(TQorShTreeNode* node);
    void AfterCollapse(TQorShTreeNode* node);
    // The node of `list` below the root, expanding the levels on the way; the root when
    // there is none.
    TQorShTreeNode* WalkToNode(PCItemIDList list);
    // The steps of the walk along one level. Each level is listed again at most once while
    // the item is looked for there (`refreshed`), as it may have been made since the level
    // was listed. WalkBefore: the item would stand before `node`, so the level is listed
    // again and the walk goes on at the sibling before it. WalkAfter: the sibling after
    // `node`, listing the level again when it ends. Null ends the walk, also when `node`
    // went with the new listing.
    TQorShTreeNode* WalkBefore(TQorShTreeNode* node, bool& refreshed);
    TQorShTreeNode* WalkAfter(TQorShTreeNode* node, bool& refreshed);
    // Lists the children of `node`'s parent again; false when `node` went with it.
    bool RefreshAround(TQorShTreeNode* node);
    // Renaming (tree_view_rename.cpp, the label editor in tree_view_edit.cpp).
    void ShowRenamed(TQorShTreeNode* node, bool accepted);

    // Dropping onto nodes (tree_view_drop.cpp).
    bool AcceptsDropOnto(TQorShTreeNode* node);
    void CountDragOver(TQorShTreeNode* node);
    void RepeatDragOver();
    void ExpandDuringDrag(TQorShTreeNode* node);
    void AutoScroll(const QPoint& pos);
    void EndDrop();
    TDropQueue& Drops();
    // A drop's files are in place, or what could not be put there is known.
    void Dropped(const TDropReport& report);
    // Dragging out (tree_view_drag.cpp): true when the move started a drag.
    bool DragOutOnMove(QMouseEvent* event);
    void DragOut(TQorShTreeNode* node);
    // Running a double-clicked item (tree_view_run.cpp).
    void RunNodeAt(const QPoint& pos);
    // Media captions (tree_view_media.cpp).
    void WatchMedia();
    void SetDriveCaption(const std::string& mountPoint, const std::string& caption);

    // Selection (tree_view_selection.cpp).
    bool SelectionRefused() const;
    void SelectNode(TQorShTreeNode* node);
    void SelectionChanged();
    void ReportChange(TQorShTreeNode* node);
    void DelayedReport(TShPendingNode& pending);
    TQorShTreeNode* HitNode(const QPoint& pos) const;
    void SetDropHighlight(TQorShTreeNode* node);
    // Runs Qt's own mouse handling with its selection changes refused, then puts the current
    // row back on the selected node.
    template <class F> void RunBaseMouse(F&& handler);

    // Watching (tree_view_refresh.cpp).
    // A report merges the visible nodes in a walk that goes a slice at a time from the event
    // loop (the first slice at once, so a small tree is in step when the report returns);
    // the expanded folders are pruned and the watcher told the shown folders at its end. A
    // report during a walk has it run once more after its end.
    void WatcherReported();
    // The same walk for a drop, which changes the folders it touched while the tree may be
    // large: started at once, or run once more after the walk that is going on.
    void RefreshVisibleInSlices();
    void StartRefreshWalk(bool firstSliceNow);
    void RefreshWalkSlice();
    void EndRefreshWalk();
    // One node of the walk: merged when it is expanded or has children, attached again to its
    // record otherwise.
    void RefreshVisibleNode(TQorShTreeNode* node);
    void VisitVisible(TQorShTreeNode* node);
    // Forgets the expanded folders whose paths no longer name an existing directory: the first
    // slice at once, the rest from the event loop (tree_view_prune.cpp). A prune asked for
    // while one goes on runs once more after its end.
    void PruneExpandedFolders();
    void PruneSlice();
    // Takes `list` out of the expanded folders, keeping a prune's place.
    void ForgetExpandedFolder(PCItemIDList list);
    void UpdateShownFolders();
    // Adds `node`, when it is expanded and its parent is shown (or it has none), and its
    // expanded descendants to the shown nodes; a node there already is left as it is.
    void AddShown(TQorShTreeNode* node);
    // Takes `top` (every node when none) and its descendants out of the shown nodes. A
    // collapse keeps their paths aside for when they are shown again (an expansion then
    // resolves none of them anew: tens of thousands after '*'); a deletion or a rename
    // forgets them, kept ones included.
    enum class TShownRemoval
    {
        Collapse,
        Forget
    };
    void RemoveShown(const QTreeWidgetItem* top, TShownRemoval removal = TShownRemoval::Forget);
    // Adds `list` to the expanded folders unless it is there already.
    void NoteExpandedFolder(PCItemIDList list);

    // Opening a node and everything below it, the '*' key (tree_view_subtree.cpp).
    // Opens `top` and every folder below it, but not through a link to a folder: a link may
    // lead back up its own tree, and opening through it would never end (what Qt's own '*'
    // does); nor into the folders the subtree skip names (see SetSubtreeSkip). The folders open a
    // slice at a time from the event loop, so a subtree of tens of thousands of folders does not
    // hold the window; the shown folders are worked out once at the end instead of after each node
    // opened (a walk of every shown node per node opened, minutes for a few thousand folders).
    void StartExpandingSubtree(TQorShTreeNode* top);
    // Whether `node` is a folder that the subtree skip names.
    bool SkippedBySubtree(TQorShTreeNode* node) const;
    void ExpandSubtreeSlice();
    // Ends the opening where it stands and tells the watcher the shown folders, at once or
    // from the event loop.
    enum class TShownFoldersUpdate
    {
        Now,
        Later
    };
    void EndExpandingSubtree(TShownFoldersUpdate update = TShownFoldersUpdate::Now);
    // The subtree of `gone` (none: every node) is about to be deleted: the opening ends when
    // its top goes, and forgets the nodes still to open below `gone` otherwise
    // (tree_view_nodes.cpp).
    void ExpandingSubtreeLoses(const QTreeWidgetItem* gone);
    // The bytes of every expanded folder's list, while the shown folders are held.
    void IndexExpandedFolders();
    // The same for the report's walk: the nodes below `gone` (none: every node) leave its
    // queue (tree_view_nodes.cpp).
    void RefreshWalkLoses(const QTreeWidgetItem* gone);
    // Icons (tree_view_icons.cpp).
    void ResetIcons();

    TQorShRoot shRoot_;
    bool includeFiles_ = false;
    bool includeHidden_ = true;
    TShVirtuaItems virtuaItems_{itBitBucket, itNetWork};
    bool changeDelay_ = true;

    bool loaded_ = false;
    bool rebuilding_ = false;
    bool destroying_ = false;
    bool inBaseMouse_ = false;
    int busy_ = 0;
    bool reportAfterBusy_ = false;
    TShMouseState mouseState_ = TShMouseState::msNone;
    QPoint pressPoint_; // where the press that set the mouse state was, in client pixels
    bool arrowKeyDown_ = false;
    // While set, UpdateShownFolders only notes that the shown folders have changed.
    bool holdShownFolders_ = false;
    bool shownFoldersStale_ = false;
    // The shown nodes: the valid expanded nodes whose parents are all shown, each with its
    // path with a trailing separator (empty for none), and how many of them have each path.
    // Kept up to date on each expansion, collapse, rename and deletion, so that what the
    // watcher is told costs no walk of every open node (tens of thousands after '*').
    std::unordered_map<const QTreeWidgetItem*, std::string> shownNodes_;
    std::map<std::string, int> shownPathCounts_;
    // The nodes a collapse took out of the shown nodes, with their paths as they were: each
    // still exists, and its parent is shown or kept here too.
    std::unordered_map<const QTreeWidgetItem*, std::string> hiddenShown_;
    // Whether the watcher holds the shown folders as they are now.
    bool shownFoldersTold_ = false;
    // The bytes of every expanded folder's list while '*' is handled.
    std::unordered_set<std::string> heldExpandedKeys_;
    // The node '*' opens, the nodes still to open below it (each expanded before its
    // children are queued), the zero-time timer that runs the next slice (a child of the
    // tree, made on the first '*') and the work time one slice may take.
    TQorShTreeNode* subtreeTop_ = nullptr;
    TQorShTreeNode* subtreeOpening_ = nullptr; // the node being expanded; cleared if it goes
    std::vector<TQorShTreeNode*> subtreePending_;
    QTimer* subtreeStep_ = nullptr;
    std::chrono::milliseconds subtreeBudget_{20};
    TSubtreeSkip subtreeSkip_ = platform::IsOnPseudoFileSystem;
    bool subtreeSkipping_ = false; // whether the opening leaves those folders closed
    // The report's walk: whether it runs, whether a report came during it, the nodes still to
    // visit (each in visible order once its parent has been merged), the node being merged,
    // the timer of its next slice (made on the first report) and a slice's work time.
    bool refreshWalking_ = false;
    bool refreshAgain_ = false;
    std::vector<TQorShTreeNode*> refreshPending_;
    TQorShTreeNode* refreshMerging_ = nullptr; // cleared if it goes
    QTimer* refreshStep_ = nullptr;
    std::chrono::milliseconds refreshBudget_{20};
    // The prune of the expanded folders: whether it runs, whether it was asked for again
    // meanwhile, the first entry it has not checked yet and the timer of its next slice (made
    // on the first prune). Its slices take the report's slice budget.
    bool pruning_ = false;
    bool pruneAgain_ = false;
    std::size_t pruneNext_ = 0;
    QTimer* pruneStep_ = nullptr;
    TQorShTreeNode* dropHighlighted_ = nullptr;
    // The node the selection last moved to.
    TQorShTreeNode* selectedNode_ = nullptr;
    TQorShTreeNode* expandingNode_ = nullptr;
    // A node FindNode is looking at; cleared when a refresh deletes it.
    TQorShTreeNode* findWatch_ = nullptr;
    std::vector<TIDListPtr> expandedFolders_;
    std::vector<std::string> driveRoots_;
    int watchPause_ = 0;
    std::unique_ptr<TShNotifyThread> watcher_;
    std::unique_ptr<TQorShChangeDelay> changeDelayThread_;
    mutable std::vector<QIcon> icons_;

    // The data another program drags over the tree, and the drag-over repeat count on one node.
    std::unique_ptr<TQorShDragObject> dragObject_;
    TQorShTreeNode* dragOverNode_ = nullptr;
    int dragOverCount_ = 0;
    QTimer* dragOverRepeat_ = nullptr; // a child of the tree, made on the first drag-over
    TQorShTreeNode* editingNode_ = nullptr;
    std::optional<std::string> typedName_; // committed by the label editor, not yet applied
    std::unique_ptr<TItemLauncher> launcher_;
    platform::TMountPointSource mediaPoints_;
    TVolumeLabelSource mediaLabels_;
    std::unique_ptr<platform::TMountChangeDetector> mediaDetector_;
    std::unique_ptr<QSocketNotifier> mediaNotifier_;
    mutable std::map<std::pair<int, int>, QIcon> overlaid_;
    // Last, so that it is destroyed first: it finishes the drops under way.
    std::unique_ptr<TDropQueue> drops_;
};

// The tree as forms place it; everything is in its base.
class TQorShTreeView : public TCustomQorShTreeView
{
    Q_OBJECT

public:
    using TCustomQorShTreeView::TCustomQorShTreeView;
};

} // namespace tallyrun
