// Item records: one per tree node, caching what the namespace says about the item: its
// folder objects, display name, path, kind, and icons. Caches fill on first use; Rename
// clears the display name and ResetIconCache the icons. Nothing here throws.
#pragma once

#include "shelltree/id_list.h"
#include "shelltree/item_types.h"

#include <memory>
#include <string>

class QObject;

namespace tallyrun {

class TShFolder;

class TQorShData
{
public:
    // An empty record: no lists, not valid.
    TQorShData();
    // Takes ownership of both lists.
    TQorShData(PItemIDList absolute, PItemIDList relative);
    // Takes ownership; the relative identifier becomes a copy of the list's last item.
    explicit TQorShData(PItemIDList absolute);
    virtual ~TQorShData();
    TQorShData(const TQorShData&) = delete;
    TQorShData& operator=(const TQorShData&) = delete;

    virtual std::string DisplayName();
    virtual int IconIndex();
    // The item's position in the control that shows it; -1 here.
    virtual int Position() const { return -1; }
    // The number of items in the absolute list (Desktop 0, Computer 1, a drive 2...).
    virtual int Level() const;
    // The control that shows the item; none here.
    virtual QObject* Control() const { return nullptr; }
    virtual PCItemIDList ParentIDList();
    virtual PCItemIDList AbsoluteIDList() const { return absolute_.get(); }
    virtual int OpenIconIndex();
    virtual bool IsValid() const { return absolute_ && relative_; }
    // Refused here; item records of tree nodes rename through the namespace.
    virtual bool Rename(const std::string& name);

    PCItemIDList RelativeID() const { return relative_.get(); }
    std::shared_ptr<TShFolder> ParentFolder();
    // Seeds the parent folder's cache with the folder that listed the item, so that a whole
    // listing shares one folder object instead of binding one per item.
    void SetParentFolder(std::shared_ptr<TShFolder> folder);
    std::shared_ptr<TShFolder> OwnFolder();
    // The file-system path; empty for items without one (Computer, Trash, Network). A drive's
    // path ends with the separator; a folder's does not.
    std::string Path();
    // The list whose location Path gives.
    PCItemIDList PathIDList() const;
    // True when every bit of ShAttribute[index % 128] is set for the item.
    bool HasAttribute(int index);
    TShItemIDType ItemType();
    int OverlayIndex();
    // Makes the icons be fetched again (after a change of the icon theme).
    void ResetIconCache();

protected:
    // Takes the new relative identifier after a rename and rebuilds the absolute list.
    bool ApplyNewName(TIDListPtr renamed);
    // The identifier that the parent folder answers for: the absolute list at level 0.
    PCItemIDList IdentifierInParent() const;

private:
    TShItemIDType ComputeItemType();
    bool IsSpecialFolder(TShSpecialFolderID id) const;
    bool HasFlags(std::uint32_t flags);
    bool IsExistingFolderPath();
    // The item is the root of the drive its list passes through.
    bool IsDriveRoot() const;

    TIDListPtr absolute_;
    TIDListPtr relative_;
    TIDListPtr parent_;
    bool parentComputed_ = false;
    std::shared_ptr<TShFolder> parentFolder_;
    bool parentFolderComputed_ = false;
    int iconIndex_ = -1;
    int openIconIndex_ = -1;
    std::string displayName_;
    TShItemIDType itemType_ = itUnknown;
};

// The tree node that shows an item record; the tree implements it.
class TShItemNode
{
public:
    virtual ~TShItemNode() = default;
    // The node's absolute index in its tree.
    virtual int AbsoluteIndex() const = 0;
    virtual QObject* TreeControl() const = 0;
    // After a rename: when it was accepted, the node repopulates its children (keeping its
    // expansion); in every case it shows the item's DisplayName again.
    virtual void ItemRenamed(bool accepted) = 0;
};

class TQorShFolderData : public TQorShData
{
public:
    using TQorShData::TQorShData;

    TShItemNode* Node() const { return node_; }
    void SetNode(TShItemNode* node) { node_ = node; }

    int Position() const override { return node_ ? node_->AbsoluteIndex() : -1; }
    QObject* Control() const override { return node_ ? node_->TreeControl() : nullptr; }
    // Renames the item in its folder; never replaces an existing entry.
    bool Rename(const std::string& name) override;

private:
    TShItemNode* node_ = nullptr;
};

} // namespace tallyrun
