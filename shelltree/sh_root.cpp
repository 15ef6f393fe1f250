#include "shelltree/sh_root.h"

#include "shelltree/folder_locations.h"

namespace tallyrun {

void TQorShRoot::Changed()
{
    if (onChange_)
        onChange_();
}

void TQorShRoot::SetRootPath(const std::string& path)
{
    if (path == rootPath_)
        return;
    rootPath_ = path;
    if (!usesID_)
        Changed();
}

void TQorShRoot::SetRootFolderID(TShSpecialFolderID id)
{
    if (id == rootFolderID_)
        return;
    rootFolderID_ = id;
    if (usesID_)
        Changed();
}

void TQorShRoot::SetUsesID(bool usesID)
{
    if (usesID == usesID_)
        return;
    usesID_ = usesID;
    Changed();
}

void TQorShRoot::Assign(const TQorShRoot& other)
{
    const bool changed = rootPath_ != other.rootPath_ || rootFolderID_ != other.rootFolderID_ ||
                         usesID_ != other.usesID_;
    rootPath_ = other.rootPath_;
    rootFolderID_ = other.rootFolderID_;
    usesID_ = other.usesID_;
    if (changed)
        Changed();
}

std::unique_ptr<TQorShFolderData> TQorShRoot::MakeRootItem() const
{
    PItemIDList location = nullptr;
    if (!usesID_) {
        if (!TQorShID::IDListFromPath(rootPath_, location))
            return nullptr;
        return std::make_unique<TQorShFolderData>(location);
    }
    if (rootFolderID_ != sfidDeskTop) {
        if (!SpecialFolderIDList(rootFolderID_, location))
            return nullptr;
        return std::make_unique<TQorShFolderData>(location);
    }
    PItemIDList desktop = nullptr;
    if (!SpecialFolderIDList(sfidDeskTop, desktop) ||
        !SpecialFolderIDList(sfidDeskTopFolder, location)) {
        TQorShID::FreeIDList(desktop);
        return nullptr;
    }
    return std::make_unique<TQorShFolderData>(desktop, location);
}

} // namespace tallyrun
