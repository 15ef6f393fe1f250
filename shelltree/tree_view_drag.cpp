// Dragging an item out of the tree: a move of more than a few pixels with the pressed button
// still down hands the item to other programs as our identifier array and as a file list.
#include "shelltree/tree_view.h"

#include "shelltree/drop_id_array.h"
#include "shelltree/drop_uri_list.h"

#include <QCoreApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>

namespace tallyrun {
namespace {

// How far the pointer moves from the press point before a drag starts, in pixels.
constexpr int kDragDistance = 5;

Qt::DropActions AllowedActions(TQorShFolderData& item)
{
    Qt::DropActions actions;
    if (item.HasAttribute(saCanCopy))
        actions |= Qt::CopyAction;
    if (item.HasAttribute(saCanMove))
        actions |= Qt::MoveAction;
    if (item.HasAttribute(saCanLink))
        actions |= Qt::LinkAction;
    return actions;
}

// Cancels the running drag as soon as both mouse buttons are down at once, the user's other
// way of calling a drag off besides Escape (which Qt's drag handles itself).
class TBothButtonsCancel : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseMove) {
            const Qt::MouseButtons buttons = static_cast<QMouseEvent*>(event)->buttons();
            if ((buttons & Qt::LeftButton) && (buttons & Qt::RightButton))
                QDrag::cancel();
        }
        return false;
    }
};

} // namespace

bool TCustomQorShTreeView::DragOutOnMove(QMouseEvent* event)
{
    Qt::MouseButton button = Qt::NoButton;
    if (mouseState_ == TShMouseState::msLeftPressed)
        button = Qt::LeftButton;
    else if (mouseState_ == TShMouseState::msRightPressed)
        button = Qt::RightButton;
    // Qt reports the buttons as the user sees them, with swapped buttons already taken into
    // account.
    if (button == Qt::NoButton || !(event->buttons() & button))
        return false;
    const QPoint moved = event->position().toPoint() - pressPoint_;
    if (std::abs(moved.x()) <= kDragDistance && std::abs(moved.y()) <= kDragDistance)
        return false;
    TQorShTreeNode* node = dropHighlighted_;
    if (!TQorShTreeNode::IsValid(node) || AllowedActions(*node->Item()) == Qt::DropActions())
        return false;
    bool allow = true;
    if (OnShBeginDrag)
        OnShBeginDrag(this, node->Item(), allow);
    if (!allow)
        return false;
    DragOut(node);
    return true;
}

void TCustomQorShTreeView::DragOut(TQorShTreeNode* node)
{
    TQorShFolderData* item = node->Item();
    const TIDListPtr parent(TQorShID::ParentOfIDList(item->AbsoluteIDList()));
    const std::vector<std::uint8_t> array = WriteIDArray(parent.get(), {item->RelativeID()});
    auto data = std::make_unique<QMimeData>();
    if (!array.empty())
        data->setData(kIDArrayMimeType, QByteArray(reinterpret_cast<const char*>(array.data()),
                                                   static_cast<qsizetype>(array.size())));
    if (const std::string path = item->Path(); !path.empty())
        data->setData(TQorShDragObject::kUriListMimeType,
                      QByteArray::fromStdString(FileUrlOfPath(path) + "\r\n"));
    if (data->formats().isEmpty())
        return;
    const Qt::DropActions actions = AllowedActions(*item);
    auto* drag = new QDrag(this);
    drag->setMimeData(data.release());
    mouseState_ = TShMouseState::msOleDrag;
    // Installed once the drag has begun, so that it sees the pointer's events before the
    // drag's own filter takes them; it goes away with this scope.
    TBothButtonsCancel bothButtons;
    QTimer::singleShot(0, &bothButtons, [&bothButtons] {
        QCoreApplication::instance()->installEventFilter(&bothButtons);
    });
    // Qt's drag loop cancels on Escape and drops when the buttons come up; the drag owns the
    // data and goes with its own deleteLater.
    drag->exec(actions, actions & Qt::CopyAction ? Qt::CopyAction : Qt::IgnoreAction);
    mouseState_ = TShMouseState::msNone;
    SetDropHighlight(nullptr);
}

} // namespace tallyrun
