// Running a double-clicked item: a link leading to a folder selects that folder, a document
// opens with the desktop's handler, and anything that could start a program asks first. A
// plain folder is not run; the double-click only opens or closes it.
#include "shelltree/tree_view.h"

#include <QCoreApplication>
#include <QFile>
#include <QMessageBox>

namespace tallyrun {
namespace {

bool AskBeforeRunning(QWidget* parent, const std::string& path)
{
    return QMessageBox::question(
               parent, QString(),
               QCoreApplication::translate("TQorShTreeView", "「%1」を実行しますか?")
                   .arg(QFile::decodeName(QByteArray::fromStdString(path)))) == QMessageBox::Yes;
}

} // namespace

void TCustomQorShTreeView::SetLauncher(std::unique_ptr<TItemLauncher> launcher)
{
    launcher_ = std::move(launcher);
}

void TCustomQorShTreeView::RunNodeAt(const QPoint& pos)
{
    TQorShTreeNode* node = HitNode(pos);
    if (!TQorShTreeNode::IsValid(node) || !launcher_)
        return;
    TQorShFolderData* item = node->Item();
    bool allow = true;
    if (item->HasAttribute(saLink)) {
        if (OnShLinkOpen)
            OnShLinkOpen(this, item, allow);
    } else {
        if (item->HasAttribute(saFolder))
            return;
        if (OnShExecute)
            OnShExecute(this, item, allow);
    }
    const std::string path = item->Path();
    if (!allow || path.empty())
        return;
    const TRunConfirm ask = [this](const std::string& target) {
        return AskBeforeRunning(this, target);
    };
    const TRunOutcome outcome = RunItem(path, *launcher_, RunConfirm ? RunConfirm : ask);
    if (outcome.action != TRunAction::raSelectFolder)
        return;
    PItemIDList list = nullptr;
    if (TQorShID::IDListFromPath(outcome.target, list)) {
        const TIDListPtr owned(list);
        SelectIDList(owned.get());
    }
}

} // namespace tallyrun
