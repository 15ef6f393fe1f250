// Renaming a node in place: the label editor opens only where the item may be renamed, and
// the typed name goes to the item's own rename with the watcher paused; the node then shows
// whatever name the item has, so a refused name gives way to the old one.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "shelltree/label_edit.h"

#include <QLineEdit>

#include <optional>
#include <utility>

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
    // The typed name is kept until the editor has closed: the rename may move the node among
    // its siblings, and the editor must be gone from the row before the row moves.
    RunHandler([this, editor] {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            typedName_ = line->text().toStdString();
    });
}

void TCustomQorShTreeView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    RunHandler([this, editor, hint] {
        QTreeWidget::closeEditor(editor, hint);
        TQorShTreeNode* node = editingNode_;
        editingNode_ = nullptr;
        const std::optional<std::string> text = std::exchange(typedName_, std::nullopt);
        if (!text || !TQorShTreeNode::IsValid(node))
            return;
        bool renamed = false;
        const std::string shown =
            FinishLabelEdit(*node->Item(), *text,
                            {[this] { SuspendWatching(); }, [this] { ResumeWatching(); }}, renamed);
        node->setText(0, QString::fromStdString(shown));
    });
}

} // namespace tallyrun
