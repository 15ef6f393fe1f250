#include "shelltree/item_data.h"

#include "platform/file_status.h"
#include "shelltree/folder_locations.h"
#include "shelltree/sh_folder.h"

namespace tallyrun {

TQorShData::TQorShData() = default;

TQorShData::TQorShData(PItemIDList absolute, PItemIDList relative)
    : absolute_(absolute), relative_(relative)
{
}

TQorShData::TQorShData(PItemIDList absolute)
    : absolute_(absolute), relative_(TQorShID::FirstID(TQorShID::LastID(absolute)))
{
}

TQorShData::~TQorShData() = default;

int TQorShData::Level() const
{
    return TQorShID::IDListCount(absolute_.get());
}

PCItemIDList TQorShData::IdentifierInParent() const
{
    return Level() == 0 ? absolute_.get() : relative_.get();
}

PCItemIDList TQorShData::ParentIDList()
{
    if (!parentComputed_ && absolute_) {
        parentComputed_ = true;
        const int level = Level();
        if (level == 1)
            parent_.reset(TQorShID::AllocIDList(2));
        else if (level >= 2)
            parent_.reset(TQorShID::ParentOfIDList(absolute_.get()));
    }
    return parent_.get();
}

std::shared_ptr<TShFolder> TQorShData::ParentFolder()
{
    if (!parentFolderComputed_) {
        parentFolderComputed_ = true;
        auto desktop = TShFolder::Desktop();
        if (desktop && Level() >= 2)
            parentFolder_ = desktop->BindToObject(ParentIDList());
        else if (Level() >= 0)
            parentFolder_ = std::move(desktop);
    }
    return parentFolder_;
}

void TQorShData::SetParentFolder(std::shared_ptr<TShFolder> folder)
{
    parentFolder_ = std::move(folder);
    parentFolderComputed_ = true;
}

std::shared_ptr<TShFolder> TQorShData::OwnFolder()
{
    const auto parent = ParentFolder();
    if (!parent || !IsValid())
        return nullptr;
    if (Level() == 0)
        return parent;
    return parent->BindToObject(relative_.get());
}

std::string TQorShData::DisplayName()
{
    if (displayName_.empty()) {
        if (const auto folder = ParentFolder(); folder && IsValid())
            folder->GetDisplayNameOf(IdentifierInParent(), displayName_);
    }
    return displayName_;
}

PCItemIDList TQorShData::PathIDList() const
{
    return Level() == 0 ? relative_.get() : absolute_.get();
}

std::string TQorShData::Path()
{
    std::string path;
    TQorShID::PathFromIDList(PathIDList(), path);
    return path;
}

bool TQorShData::HasFlags(std::uint32_t flags)
{
    const auto folder = ParentFolder();
    std::uint32_t answer = 0;
    return folder && IsValid() && folder->GetAttributesOf(IdentifierInParent(), flags, answer) &&
           (answer & flags) == flags;
}

bool TQorShData::HasAttribute(int index)
{
    const int i = ((index % 128) + 128) % 128;
    if (i >= static_cast<int>(std::size(ShAttribute)))
        return false;
    return HasFlags(ShAttribute[i]);
}

bool TQorShData::IsSpecialFolder(TShSpecialFolderID id) const
{
    PItemIDList location = nullptr;
    if (!SpecialFolderIDList(id, location))
        return false;
    const bool same = TQorShID::CompareIDs(absolute_.get(), location) == TShCompareResult::crEqual;
    TQorShID::FreeIDList(location);
    return same;
}

bool TQorShData::IsExistingFolderPath()
{
    return platform::IsExistingDirectory(Path());
}

bool TQorShData::IsDriveRoot() const
{
    TShLocation location;
    if (!ResolveIDList(absolute_.get(), location) || location.driveMount.empty())
        return false;
    const auto strip = [](std::string path) {
        while (!path.empty() && path.back() == '/')
            path.pop_back();
        return path;
    };
    return strip(location.path) == strip(location.driveMount);
}

TShItemIDType TQorShData::ItemType()
{
    if (itemType_ == itUnknown)
        itemType_ = ComputeItemType();
    return itemType_;
}

TShItemIDType TQorShData::ComputeItemType()
{
    const int level = Level();
    if (level <= 0)
        return itDeskTop;
    const auto folderOrFile = [this] {
        return HasFlags(SFGAO_FOLDER) && IsExistingFolderPath() ? itFolder : itFile;
    };
    if (level == 1) {
        if (IsSpecialFolder(sfidDrives))
            return itMyComputer;
        if (IsSpecialFolder(sfidNetWork))
            return itNetWork;
        if (IsSpecialFolder(sfidBitBucket))
            return itBitBucket;
        if (IsSpecialFolder(sfidInterNet))
            return itInterNet;
        if (!HasFlags(SFGAO_FILESYSTEM))
            return itVirtual;
        return folderOrFile();
    }
    if (!HasFlags(SFGAO_FILESYSTEM))
        return IsSpecialFolder(sfidControls) ? itControls : itVirtual;
    if (HasFlags(SFGAO_FILESYSANCESTOR)) {
        PItemIDList computer = nullptr;
        const bool underComputer = SpecialFolderIDList(sfidDrives, computer) &&
                                   TQorShID::IsAncestorIDList(computer, absolute_.get());
        TQorShID::FreeIDList(computer);
        if (!underComputer)
            return itFolder;
        return IsDriveRoot() ? itRootDrive : itFolder;
    }
    return folderOrFile();
}

} // namespace tallyrun
