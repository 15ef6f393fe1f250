// How the selection moves and is reported: a click selects on button release, the right button
// only highlights, and while an arrow key is held the report waits until the selection has
// rested for the change delay.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include <utility>

namespace tallyrun {
namespace {

bool IsArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
}

} // namespace

bool TCustomQorShTreeView::SelectionRefused() const
{
    return inBaseMouse_ || rebuilding_ || mouseState_ == TShMouseState::msLeftPressed ||
           mouseState_ == TShMouseState::msRightPressed;
}

QItemSelectionModel::SelectionFlags
TCustomQorShTreeView::selectionCommand(const QModelIndex& index, const QEvent* event) const
{
    if (SelectionRefused())
        return QItemSelectionModel::NoUpdate;
    return QTreeWidget::selectionCommand(index, event);
}

void TCustomQorShTreeView::SelectNode(TQorShTreeNode* node)
{
    if (!node || SelectionRefused())
        return;
    setCurrentItem(node);
}

void TCustomQorShTreeView::SelectionChanged()
{
    if (destroying_)
        return;
    if (busy_ > 0) {
        reportAfterBusy_ = true;
        return;
    }
    // Qt also signals when rows move around a selection that stays where it was.
    TQorShTreeNode* node = SelectedNode();
    if (node == selectedNode_)
        return;
    selectedNode_ = node;
    // Another folder selected: the user has moved on, so '*' stops opening the old one.
    EndExpandingSubtree();
    if (!TQorShTreeNode::IsValid(node))
        return;
    if (arrowKeyDown_ && changeDelay_ && changeDelayThread_)
        changeDelayThread_->ScheduleChange(node, kChangeDelayMs, TShNodeOwnership::Borrowed);
    else
        ReportChange(node);
}

void TCustomQorShTreeView::ReportChange(TQorShTreeNode* node)
{
    if (OnChange)
        OnChange(this, node);
}

void TCustomQorShTreeView::DelayedReport(TShPendingNode& pending)
{
    // A node that was deleted meanwhile never gets here: deleting it cancels its report.
    auto* node = static_cast<TQorShTreeNode*>(pending);
    pending = nullptr;
    if (TQorShTreeNode::IsValid(node))
        ReportChange(node);
}

TQorShTreeNode* TCustomQorShTreeView::HitNode(const QPoint& pos) const
{
    auto* node = static_cast<TQorShTreeNode*>(itemAt(pos));
    if (!node)
        return nullptr;
    // Only the icon and the label count, not the button and indent left of them nor the
    // empty space right of the label.
    const QRect rect = visualItemRect(node);
    const int icon = iconSize().isValid()
                         ? iconSize().width()
                         : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    const int labelEnd = rect.left() + icon + 8 + fontMetrics().horizontalAdvance(node->text(0));
    return pos.x() >= rect.left() && pos.x() <= labelEnd ? node : nullptr;
}

void TCustomQorShTreeView::SetDropHighlight(TQorShTreeNode* node)
{
    if (node == dropHighlighted_)
        return;
    if (dropHighlighted_)
        dropHighlighted_->SetDropHighlighted(false);
    dropHighlighted_ = node;
    if (node)
        node->SetDropHighlighted(true);
}

template <class F> void TCustomQorShTreeView::RunBaseMouse(F&& handler)
{
    inBaseMouse_ = true;
    try {
        handler();
    } catch (...) {
        inBaseMouse_ = false;
        throw;
    }
    inBaseMouse_ = false;
    // Qt moves the current row to the pressed one even when it may not select it; the
    // keyboard goes on from the selection. Moving it back must not scroll the tree to a
    // selection out of view, away from the row under the pointer.
    if (TQorShTreeNode* selected = SelectedNode(); selected && currentItem() != selected) {
        const bool scrolls = hasAutoScroll();
        setAutoScroll(false);
        selectionModel()->setCurrentIndex(indexFromItem(selected), QItemSelectionModel::NoUpdate);
        setAutoScroll(scrolls);
    }
}

void TCustomQorShTreeView::mousePressEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        mouseState_ = TShMouseState::msNone;
        const QPoint pos = event->position().toPoint();
        TQorShTreeNode* node = HitNode(pos);
        if (event->button() == Qt::LeftButton) {
            SetDropHighlight(node);
            if (node) {
                mouseState_ = TShMouseState::msLeftPressed;
                pressPoint_ = pos;
            }
        } else if (event->button() == Qt::RightButton && node && node->Level() != 0) {
            SetDropHighlight(node);
            mouseState_ = TShMouseState::msRightPressed;
            pressPoint_ = pos;
        }
        RunBaseMouse([this, event] { QTreeWidget::mousePressEvent(event); });
    });
}

void TCustomQorShTreeView::mouseReleaseEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        // Qt's own release handling comes first: it ends the view's pressed state and so its
        // auto-scroll. The report of the selection below can run long (the analysis runs in
        // it and lets events run meanwhile), and a view still taking the button for held
        // would scroll by itself while the pointer rests above or below it.
        RunBaseMouse([this, event] { QTreeWidget::mouseReleaseEvent(event); });
        if (event->button() == Qt::LeftButton) {
            if (mouseState_ == TShMouseState::msLeftPressed &&
                TQorShTreeNode::IsValid(dropHighlighted_)) {
                mouseState_ = TShMouseState::msNone;
                TQorShTreeNode* node = dropHighlighted_;
                SetDropHighlight(nullptr);
                // Reported once Qt is done with the new selection, the scroll that shows it
                // included, so the tree does not jump when a long report ends.
                Busy([this, node] { SelectNode(node); });
            }
            mouseState_ = TShMouseState::msNone;
            if (OnClick)
                OnClick(this);
        } else if (event->button() == Qt::RightButton) {
            // The context menu (none is linked) is over with the release.
            SetDropHighlight(nullptr);
            mouseState_ = TShMouseState::msNone;
        }
    });
}

void TCustomQorShTreeView::mouseMoveEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        if (DragOutOnMove(event))
            return;
        RunBaseMouse([this, event] { QTreeWidget::mouseMoveEvent(event); });
    });
}

void TCustomQorShTreeView::mouseDoubleClickEvent(QMouseEvent* event)
{
    RunHandler([this, event] {
        if (event->button() == Qt::LeftButton) {
            // The double-click's own press only counts as the second click: its release must
            // not select the clicked node over a folder the run has selected.
            mouseState_ = TShMouseState::msNone;
            SetDropHighlight(nullptr);
            RunNodeAt(event->position().toPoint());
        }
        RunBaseMouse([this, event] { QTreeWidget::mouseDoubleClickEvent(event); });
    });
}

void TCustomQorShTreeView::contextMenuEvent(QContextMenuEvent* event)
{
    RunHandler([this, event] {
        // Where the desktop asks for the menu on the press, the highlight stays until the
        // button comes up, as the right button's highlight is meant to show what was pressed.
        if (event->reason() == QContextMenuEvent::Mouse &&
            (QApplication::mouseButtons() & Qt::RightButton))
            return;
        SetDropHighlight(nullptr);
        mouseState_ = TShMouseState::msNone;
    });
}

void TCustomQorShTreeView::keyPressEvent(QKeyEvent* event)
{
    RunHandler([this, event] {
        if (changeDelay_ && IsArrowKey(event->key()))
            arrowKeyDown_ = true;
        if (event->key() == Qt::Key_Asterisk && currentItem()) {
            StartExpandingSubtree(static_cast<TQorShTreeNode*>(currentItem()));
            event->accept();
        } else if (event->key() == Qt::Key_Escape && ExpandingSubtree()) {
            EndExpandingSubtree();
            event->accept();
        } else
            QTreeWidget::keyPressEvent(event);
    });
}

void TCustomQorShTreeView::keyReleaseEvent(QKeyEvent* event)
{
    RunHandler([this, event] {
        // A held key repeats as release and press pairs marked as repeats: still held.
        if (!event->isAutoRepeat())
            arrowKeyDown_ = false;
        QTreeWidget::keyReleaseEvent(event);
    });
}

} // namespace tallyrun
