// Renaming a node in place: the label editor opens only where the item may be renamed, and
// the typed name goes to the item's own rename with the watcher paused; the node then shows
// whatever name the item has, so a refused name gives way to the old one.
#include "shelltree/tree_view.h"

#include "shelltree/label_edit.h"
#include "widgets/handler_errors.h"

#include <QLineEdit>

namespace tallyrun {

bool TCustomQorShTreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    auto* node = static_cast<TQorShTreeNode*>(itemFromIndex(index));
    if (!node || !CanStartLabelEdit(node->Item(), mouseState_ == TShMouseState::msNone,
                                    editTriggers() != NoEditTriggers))
        return false;
    if (!QTreeWidget::edit(index, trigger, event))
        return false;
    editingNode_ = node;
    return true;
}

void TCustomQorShTreeView::commitData(QWidget* editor)
{
    RunHandler([this, editor] {
        TQorShTreeNode* node = editingNode_;
        editingNode_ = nullptr;
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (!line || !TQorShTreeNode::IsValid(node))
            return;
        bool renamed = false;
        const std::string shown =
            FinishLabelEdit(*node->Item(), line->text().toStdString(),
                            {[this] { SuspendWatching(); }, [this] { ResumeWatching(); }}, renamed);
        // The rename may have deleted the node's row meanwhile only through a refresh, which
        // the paused watcher does not run; the node is still this row.
        node->setText(0, QString::fromStdString(shown));
    });
}

} // namespace tallyrun
