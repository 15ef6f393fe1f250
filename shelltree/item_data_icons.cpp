// Icons and overlays of item records, from the parent folder's icon service with the
// file-information query as the fallback.
#include "shelltree/item_data.h"

#include "shelltree/sh_folder.h"

namespace tallyrun {

int TQorShData::IconIndex()
{
    if (iconIndex_ >= 0)
        return iconIndex_;
    const auto folder = ParentFolder();
    if (!folder || !IsValid())
        return iconIndex_;
    iconIndex_ = folder->GetIconOf(relative_.get(), GIL_FORSHELL);
    if (iconIndex_ < 0)
        iconIndex_ =
            TQorShID::SystemIconIndex(absolute_.get(), TShIconSize::Small, TShIconState::Closed);
    return iconIndex_;
}

int TQorShData::OpenIconIndex()
{
    if (openIconIndex_ >= 0)
        return openIconIndex_;
    if (!HasAttribute(saFolder))
        return openIconIndex_ = IconIndex();
    if (const auto folder = ParentFolder(); folder && IsValid())
        openIconIndex_ = folder->GetIconOf(relative_.get(), GIL_OPENICON);
    if (openIconIndex_ < 0)
        openIconIndex_ =
            TQorShID::SystemIconIndex(absolute_.get(), TShIconSize::Small, TShIconState::Open);
    return openIconIndex_;
}

// This namespace has no overlay service: shared items show the share overlay (0), links the
// link overlay (1).
int TQorShData::OverlayIndex()
{
    if (HasAttribute(saShare))
        return 0;
    return HasAttribute(saLink) ? 1 : -1;
}

void TQorShData::ResetIconCache()
{
    iconIndex_ = -1;
    openIconIndex_ = -1;
}

} // namespace tallyrun
