// The tree as a drop target: another program's files or namespace items dragged over a folder
// node are dropped into that folder, off the window's thread. The node under the pointer is
// highlighted, a folder never takes itself or its ancestors, a node held under the pointer long
// enough opens, and the view scrolls when the pointer nears an edge.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "shelltree/drop_effect.h"
#include "shelltree/drop_queue.h"
#include "shelltree/drop_report_text.h"
#include "shelltree/drop_target.h"

#include <QDragEnterEvent>
#include <QDragLeaveEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QScrollBar>
#include <QTimer>

namespace tallyrun {
namespace {

// Drag-overs in a row on one node after which it expands.
constexpr int kDragOversBeforeExpand = 30;
// While the pointer rests, the desktop sends no more drag-overs; the last one is repeated at
// this interval, so a folder held under the drag still opens (after about 1.5 s).
constexpr int kDragOverRepeatMs = 50;

void Refuse(QDropEvent* event)
{
    event->setDropAction(Qt::IgnoreAction);
    event->ignore();
}

} // namespace

void TCustomQorShTreeView::dragEnterEvent(QDragEnterEvent* event)
{
    RunHandler([this, event] {
        dragOverCount_ = 0;
        dragOverNode_ = nullptr;
        dragObject_.reset();
        if (!TQorShDragObject::CanWrap(event->mimeData())) {
            Refuse(event);
            return;
        }
        auto drag = std::make_unique<TQorShDragObject>(event->mimeData());
        bool allow = true;
        if (OnShDragEnter)
            OnShDragEnter(this, nullptr, allow);
        if (!allow) {
            Refuse(event);
            return;
        }
        dragObject_ = std::move(drag);
        mouseState_ = TShMouseState::msOleDrag;
        event->acceptProposedAction();
    });
}

void TCustomQorShTreeView::dragMoveEvent(QDragMoveEvent* event)
{
    RunHandler([this, event] {
        if (!dragObject_) {
            Refuse(event);
            return;
        }
        const QPoint pos = event->position().toPoint();
        auto* node = static_cast<TQorShTreeNode*>(itemAt(pos));
        if (!node) {
            SetDropHighlight(nullptr);
            dragOverNode_ = nullptr;
            dragOverCount_ = 0;
            Refuse(event);
        } else {
            SetDropHighlight(node);
            bool allow = AcceptsDropOnto(node);
            if (OnShDragOver)
                OnShDragOver(this, node->Item(), allow);
            if (allow) {
                event->setDropAction(
                    DropActionOfEffect(DropEffectForModifiers(event->modifiers())));
                event->accept();
            } else {
                Refuse(event);
            }
            CountDragOver(node);
            RepeatDragOver();
        }
        AutoScroll(pos);
    });
}

void TCustomQorShTreeView::dragLeaveEvent(QDragLeaveEvent* event)
{
    RunHandler([this, event] {
        event->accept();
        if (dragObject_) {
            dragObject_.reset();
            bool allow = true;
            if (OnShDragLeave)
                OnShDragLeave(this, nullptr, allow);
        }
        EndDrop();
    });
}

void TCustomQorShTreeView::dropEvent(QDropEvent* event)
{
    RunHandler([this, event] {
        std::string message;
        TDropRequest request;
        bool dropped = false;
        try {
            Refuse(event);
            TQorShTreeNode* node = dropHighlighted_;
            bool allow = dragObject_ != nullptr;
            if (allow && OnShDragDrop)
                OnShDragDrop(this, node ? node->Item() : nullptr, allow);
            if (allow && AcceptsDropOnto(node) &&
                RequestDrop(*dragObject_, node->Item()->Path(), event->modifiers(), request,
                            message)) {
                // The tree moves what it can itself; a source told of a move would delete its
                // items, also those refused for a name clash, so it is told of a copy whenever
                // it allows one.
                const Qt::DropAction done =
                    DropActionOfEffect(DropEffectForModifiers(event->modifiers()));
                event->setDropAction(done == Qt::MoveAction &&
                                             (event->possibleActions() & Qt::CopyAction)
                                         ? Qt::CopyAction
                                         : done);
                event->accept();
                dropped = true;
            }
        } catch (...) {
            EndDrop();
            throw;
        }
        EndDrop();
        if (dropped)
            Drops().Add(std::move(request), [this](const TDropReport& report) { Dropped(report); });
        // Shown once the drop is over, so the box's own event loop finds the tree at rest.
        if (!message.empty())
            ShowHandlerError(QString::fromStdString(message));
    });
}

TDropQueue& TCustomQorShTreeView::Drops()
{
    if (!drops_)
        drops_ = std::make_unique<TDropQueue>();
    return *drops_;
}

int TCustomQorShTreeView::DropsPending() const
{
    return drops_ ? drops_->Pending() : 0;
}

void TCustomQorShTreeView::Dropped(const TDropReport& report)
{
    // The tree looks again at what it shows once the files are in place: on a large open tree
    // a slice at a time, so the window answers meanwhile.
    RefreshVisibleInSlices();
    const std::string message = DropFailureText(report);
    if (!message.empty())
        ShowHandlerError(QString::fromStdString(message));
}

bool TCustomQorShTreeView::AcceptsDropOnto(TQorShTreeNode* node)
{
    if (!dragObject_ || !TQorShTreeNode::IsValid(node))
        return false;
    TQorShFolderData* item = node->Item();
    if (DragIsOntoItself(*dragObject_, item->AbsoluteIDList()))
        return false;
    if (node->Level() != 0 && !item->HasAttribute(saDropTarget))
        return false;
    // Only a folder of the file system can take the dropped files.
    return !item->Path().empty();
}

void TCustomQorShTreeView::CountDragOver(TQorShTreeNode* node)
{
    if (node != dragOverNode_) {
        dragOverNode_ = node;
        dragOverCount_ = 0;
        return;
    }
    if (++dragOverCount_ > kDragOversBeforeExpand &&
        (node->HasChildren() || node->childCount() > 0)) {
        dragOverCount_ = 0;
        ExpandDuringDrag(node);
    }
}

void TCustomQorShTreeView::RepeatDragOver()
{
    if (!dragOverRepeat_) {
        dragOverRepeat_ = new QTimer(this);
        dragOverRepeat_->setInterval(kDragOverRepeatMs);
        connect(dragOverRepeat_, &QTimer::timeout, this, [this] {
            RunHandler([this] {
                if (dragObject_ && dragOverNode_)
                    CountDragOver(dragOverNode_);
                else
                    dragOverRepeat_->stop();
            });
        });
    }
    dragOverRepeat_->start();
}

void TCustomQorShTreeView::ExpandDuringDrag(TQorShTreeNode* node)
{
    if (!TQorShTreeNode::IsValid(node) || node->isExpanded())
        return;
    // Below the top levels a drive without a medium and a virtual folder stay shut, so that
    // passing over them with a drag asks no drive and opens nothing slow.
    if (node->Level() > 1) {
        const TShItemIDType type = node->Item()->ItemType();
        if ((type == itRootDrive && !IsVolumeReady(node)) || type == itVirtual)
            return;
    }
    ExpandNode(node);
}

void TCustomQorShTreeView::AutoScroll(const QPoint& pos)
{
    const int margin = fontMetrics().height();
    const QSize size = viewport()->size();
    QScrollBar* vertical = verticalScrollBar();
    if (pos.y() < margin)
        vertical->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (pos.y() > size.height() - margin)
        vertical->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QScrollBar* horizontal = horizontalScrollBar();
    if (pos.x() < margin)
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (pos.x() > size.width() - margin)
        horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
}

void TCustomQorShTreeView::EndDrop()
{
    dragObject_.reset();
    dragOverNode_ = nullptr;
    dragOverCount_ = 0;
    if (dragOverRepeat_)
        dragOverRepeat_->stop();
    SetDropHighlight(nullptr);
    mouseState_ = TShMouseState::msNone;
}

} // namespace tallyrun
