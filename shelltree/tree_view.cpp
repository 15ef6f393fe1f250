// The folder tree's lifecycle: settings, the two background threads, the root, and what it
// tells its host.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "platform/mount_table.h"
#include "shelltree/drop_queue.h"

#include <QHeaderView>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>

namespace tallyrun {
namespace {

constexpr int kIndent = 19;

// The roots of the fixed and optical drives, each with a trailing separator, sorted.
std::vector<std::string> ReadDriveRoots()
{
    std::vector<std::string> roots;
    for (const platform::TMountEntry& mount : platform::ReadBlockMounts()) {
        if (mount.removable && !mount.optical)
            continue;
        std::string root = mount.mountPoint;
        if (root.empty() || root.back() != '/')
            root += '/';
        roots.push_back(std::move(root));
    }
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    return roots;
}

} // namespace

TCustomQorShTreeView::TCustomQorShTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setColumnCount(1);
    header()->hide();
    setIndentation(kIndent);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Every row has the same height; with it the view lays out huge folders quickly.
    setUniformRowHeights(true);
    setAnimated(false);
    setExpandsOnDoubleClick(true);
    // F2, or a click on the selected node's label, edits its name.
    setEditTriggers(EditKeyPressed | SelectedClicked);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    launcher_ = std::make_unique<TXdgOpenLauncher>();
    WatchMedia();

    shRoot_.SetChangeCallback([this] { RootChanged(); });
    driveRoots_ = ReadDriveRoots();
    // At most the drive roots are watched; a list beyond the watcher's limit is cut to it.
    if (driveRoots_.size() > kMaxWatchFolders)
        driveRoots_.resize(kMaxWatchFolders);

    connect(this, &QTreeWidget::itemSelectionChanged, this,
            [this] { RunHandler([this] { SelectionChanged(); }); });
    connect(this, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
        RunHandler([this, item] {
            auto* node = static_cast<TQorShTreeNode*>(item);
            // The shown nodes follow Qt's own state first, whatever the rest does.
            AddShown(node);
            if (node == expandingNode_)
                return;
            Busy([this, node] {
                BeforeExpand(node);
                AfterExpand(node);
            });
        });
    });
    connect(this, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* item) {
        RunHandler([this, item] {
            RemoveShown(item, TShownRemoval::Collapse);
            AfterCollapse(static_cast<TQorShTreeNode*>(item));
        });
    });
    CreateThreads();
}

TCustomQorShTreeView::~TCustomQorShTreeView()
{
    destroying_ = true;
    StopThreads();
    // The nodes go while this class still exists, as they look into the tree on the way.
    ClearNodes();
}

void TCustomQorShTreeView::CreateThreads()
{
    watcher_ = std::make_unique<TShNotifyThread>(
        nfDirName, TShStartMode::Suspended,
        [this](TShNotifyThread&, const std::string&, const std::vector<std::string>&) {
            RunHandler([this] { WatcherReported(); });
        },
        this);
    shownFoldersTold_ = false;
    watcher_->SetTerminateHandler([this](TShThread& thread) { ThreadEnded(thread); });
    watcher_->SetWatchList(&driveRoots_);
    watcher_->Start();
    watcher_->WaitSettled();
    changeDelayThread_ = std::make_unique<TQorShChangeDelay>(
        [this](TQorShChangeDelay&, TShPendingNode& node) {
            RunHandler([this, &node] { DelayedReport(node); });
        },
        this);
    changeDelayThread_->SetTerminateHandler([this](TShThread& thread) { ThreadEnded(thread); });
}

void TCustomQorShTreeView::StopThreads()
{
    // The change delay first, then the watcher; each is detached before it is stopped, so
    // nothing reaches the tree once stopping has begun.
    if (changeDelayThread_) {
        changeDelayThread_->SetTerminateHandler(nullptr);
        changeDelayThread_->Stop();
        changeDelayThread_.reset();
    }
    if (watcher_) {
        watcher_->SetTerminateHandler(nullptr);
        watcher_->Stop();
        watcher_.reset();
    }
}

void TCustomQorShTreeView::ThreadEnded(TShThread& thread)
{
    // A thread that ended by itself is forgotten: reports are then made at once, or the
    // refresh stops. It is freed later, outside its own termination report.
    QTimer::singleShot(0, this, [this, ended = &thread] {
        RunHandler([this, ended] {
            if (ended == changeDelayThread_.get())
                changeDelayThread_.reset();
            else if (ended == watcher_.get())
                watcher_.reset();
        });
    });
}

void TCustomQorShTreeView::Loaded()
{
    loaded_ = true;
    RebuildTree();
}

void TCustomQorShTreeView::RootChanged()
{
    // Before the host is ready the tree is not built; Loaded builds it from the new root.
    if (!loaded_)
        return;
    TIDListPtr selected(TQorShID::CopyIDList(SelectedIDList()));
    rebuilding_ = true;
    try {
        RebuildTree();
    } catch (...) {
        rebuilding_ = false;
        throw;
    }
    rebuilding_ = false;
    SelectIDList(selected.get());
}

void TCustomQorShTreeView::SetIncludeFiles(bool include)
{
    if (include == includeFiles_)
        return;
    includeFiles_ = include;
    RefreshVisible();
    if (watcher_) {
        const TShNotifyFilter filter = watcher_->NotifyFilterOf();
        watcher_->SetNotifyFilter(include ? (filter | nfFileName)
                                          : static_cast<TShNotifyFilter>(filter & ~nfFileName));
        watcher_->WaitSettled();
    }
}

void TCustomQorShTreeView::SetIncludeHidden(bool include)
{
    if (include == includeHidden_)
        return;
    includeHidden_ = include;
    RefreshVisible();
}

void TCustomQorShTreeView::SetShVirtuaItems(const TShVirtuaItems& items)
{
    if (items == virtuaItems_)
        return;
    virtuaItems_ = items;
    RefreshVisible();
}

TQorShTreeNode* TCustomQorShTreeView::RootNode() const
{
    return static_cast<TQorShTreeNode*>(topLevelItem(0));
}

TQorShTreeNode* TCustomQorShTreeView::SelectedNode() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? nullptr : static_cast<TQorShTreeNode*>(selected.first());
}

void TCustomQorShTreeView::SelectedPath(std::string& text) const
{
    text.clear();
    TQorShTreeNode* node = SelectedNode();
    if (TQorShTreeNode::IsValid(node))
        text = node->Item()->Path();
}

PCItemIDList TCustomQorShTreeView::SelectedIDList() const
{
    TQorShTreeNode* node = SelectedNode();
    if (!TQorShTreeNode::IsValid(node))
        node = RootNode();
    return node && node->Item() ? node->Item()->AbsoluteIDList() : nullptr;
}

bool TCustomQorShTreeView::IsVolumeReady(TQorShTreeNode* node) const
{
    if (!TQorShTreeNode::IsValid(node))
        return false;
    TQorShFolderData* item = node->Item();
    return item->ItemType() != itRootDrive || platform::IsVolumeReady(item->Path());
}

} // namespace tallyrun
