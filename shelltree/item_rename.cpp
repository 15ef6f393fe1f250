// Renaming an item record's item in its folder.
#include "shelltree/item_data.h"
#include "shelltree/sh_folder.h"

namespace tallyrun {

bool TQorShData::Rename(const std::string&)
{
    return false;
}

bool TQorShData::ApplyNewName(TIDListPtr renamed)
{
    ParentIDList();
    TIDListPtr absolute(Level() == 1 ? TQorShID::FirstID(renamed.get())
                                     : TQorShID::ConcatIDLists(parent_.get(), renamed.get()));
    if (!absolute)
        return false;
    relative_ = std::move(renamed);
    absolute_ = std::move(absolute);
    displayName_.clear();
    return true;
}

bool TQorShFolderData::Rename(const std::string& name)
{
    ParentIDList();
    const auto folder = ParentFolder();
    bool accepted = false;
    if (folder && IsValid() && Level() >= 1 && HasAttribute(saCanRename)) {
        TIDListPtr renamed;
        accepted =
            folder->SetNameOf(RelativeID(), name, renamed) && ApplyNewName(std::move(renamed));
    }
    if (node_)
        node_->ItemRenamed(accepted);
    return accepted;
}

} // namespace tallyrun
