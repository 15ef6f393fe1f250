#include "shelltree/drop_target.h"

#include "shelltree/drop_effect.h"
#include "shelltree/tree_text.h"

namespace tallyrun {

bool DragIsOntoItself(TQorShDragObject& drag, PCItemIDList nodeList)
{
    if (!nodeList || !drag.HasIDArray() || drag.ItemCount() != 1)
        return false;
    const TIDListPtr dragged(
        TQorShID::ConcatIDLists(drag.ParentIDList(), drag.RelativeIDs().front().get()));
    return TQorShID::SameIDList(dragged.get(), nodeList) ||
           TQorShID::IsAncestorIDList(dragged.get(), nodeList);
}

bool DragSourcePaths(TQorShDragObject& drag, std::vector<std::string>& paths, std::string& error)
{
    paths.clear();
    if (!drag.IsWellFormed()) {
        error = drag.Error();
        return false;
    }
    if (!drag.HasIDArray()) {
        paths = drag.FileNames();
        return true;
    }
    for (const TIDListPtr& item : drag.RelativeIDs()) {
        const TIDListPtr absolute(TQorShID::ConcatIDLists(drag.ParentIDList(), item.get()));
        std::string path;
        if (!TQorShID::PathFromIDList(absolute.get(), path)) {
            paths.clear();
            error = TreeText(QT_TRANSLATE_NOOP(
                "TQorShTreeView",
                "ドラッグされた項目にファイルシステム上のパスがないものがあります。"));
            return false;
        }
        paths.push_back(std::move(path));
    }
    return true;
}

bool RequestDrop(TQorShDragObject& drag, const std::string& targetFolder,
                 Qt::KeyboardModifiers modifiers, TDropRequest& request, std::string& error)
{
    if (!DragSourcePaths(drag, request.sources, error))
        return false;
    request.targetFolder = targetFolder;
    request.effect = DropEffectForModifiers(modifiers);
    return true;
}

std::vector<platform::TDropItemOutcome> CarryOutDrop(const TDropRequest& request)
{
    return platform::DropEntries(request.sources, request.targetFolder, request.effect);
}

} // namespace tallyrun
