#include "shelltree/tree_node.h"

#include "shelltree/tree_view.h"

#include <QColor>
#include <QPalette>

namespace tallyrun {
namespace {

// Compressed items are drawn in blue (0x00FF0000 in BGR order) unless selected.
const QColor kCompressedColor(0, 0, 255);

int SubtreeSize(const QTreeWidgetItem* item)
{
    int size = 1;
    for (int i = 0; i < item->childCount(); ++i)
        size += SubtreeSize(item->child(i));
    return size;
}

} // namespace

TQorShTreeNode::TQorShTreeNode(std::unique_ptr<TQorShFolderData> item) : item_(std::move(item))
{
    // Whether a label edit may really start is the view's decision, made per item.
    setFlags(flags() | Qt::ItemIsEditable);
    if (item_)
        item_->SetNode(this);
    ++liveCount_;
}

TQorShTreeNode::~TQorShTreeNode()
{
    --liveCount_;
    if (item_)
        item_->SetNode(nullptr);
}

bool TQorShTreeNode::IsValid(const TQorShTreeNode* node)
{
    return node && node->item_ && node->item_->IsValid();
}

TQorShTreeNode* TQorShTreeNode::ParentNode() const
{
    return static_cast<TQorShTreeNode*>(parent());
}

TQorShTreeNode* TQorShTreeNode::ChildNode(int index) const
{
    return static_cast<TQorShTreeNode*>(child(index));
}

TCustomQorShTreeView* TQorShTreeNode::View() const
{
    return static_cast<TCustomQorShTreeView*>(treeWidget());
}

void TQorShTreeNode::SetHasChildren(bool hasChildren)
{
    // Without the mark the button still shows once the node has children.
    setChildIndicatorPolicy(hasChildren ? ShowIndicator : DontShowIndicatorWhenChildless);
}

bool TQorShTreeNode::HasChildren() const
{
    return childIndicatorPolicy() == ShowIndicator || childCount() > 0;
}

void TQorShTreeNode::Attach()
{
    if (!item_)
        return;
    SetHasChildren(item_->HasAttribute(saHasSubfolder));
    overlayKnown_ = false;
    compressedKnown_ = false;
    cut_ = false;
}

int TQorShTreeNode::Overlay() const
{
    if (!overlayKnown_ && item_) {
        overlay_ = item_->OverlayIndex();
        overlayKnown_ = true;
    }
    return overlay_;
}

bool TQorShTreeNode::IsCompressed() const
{
    if (!compressedKnown_ && item_) {
        compressed_ = item_->HasAttribute(saCompressed);
        compressedKnown_ = true;
    }
    return compressed_;
}

void TQorShTreeNode::SetDropHighlighted(bool on)
{
    if (on == dropHighlighted_)
        return;
    dropHighlighted_ = on;
    emitDataChanged();
}

QVariant TQorShTreeNode::data(int column, int role) const
{
    if (column != 0 || !item_)
        return QTreeWidgetItem::data(column, role);
    switch (role) {
    case Qt::DecorationRole: {
        const TCustomQorShTreeView* view = View();
        if (!view)
            return {};
        const int index = isSelected() ? item_->OpenIconIndex() : item_->IconIndex();
        return view->IconFor(index, Overlay());
    }
    case Qt::ForegroundRole:
        if (dropHighlighted_ && treeWidget())
            return treeWidget()->palette().brush(QPalette::HighlightedText);
        if (!isSelected() && IsCompressed())
            return kCompressedColor;
        break;
    case Qt::BackgroundRole:
        if (dropHighlighted_ && treeWidget())
            return treeWidget()->palette().brush(QPalette::Highlight);
        break;
    default:
        break;
    }
    return QTreeWidgetItem::data(column, role);
}

int TQorShTreeNode::AbsoluteIndex() const
{
    const QTreeWidget* tree = treeWidget();
    if (!tree)
        return -1;
    // The rows before this one in display order: every earlier sibling's subtree, and each
    // ancestor itself, on the way up.
    int index = 0;
    for (const QTreeWidgetItem* node = this; node; node = node->parent()) {
        const QTreeWidgetItem* up = node->parent();
        auto* self = const_cast<QTreeWidgetItem*>(node);
        const int row = up ? up->indexOfChild(self) : tree->indexOfTopLevelItem(self);
        for (int i = 0; i < row; ++i)
            index += SubtreeSize(up ? up->child(i) : tree->topLevelItem(i));
        if (up)
            ++index;
    }
    return index;
}

QObject* TQorShTreeNode::TreeControl() const
{
    return treeWidget();
}

void TQorShTreeNode::ItemRenamed(bool accepted)
{
    if (TCustomQorShTreeView* view = View())
        view->NodeRenamed(this, accepted);
}

} // namespace tallyrun
