// What the tree's root is: a special folder (UsesID set) or the item a path names. Each
// change of a value calls the owner's change callback, which rebuilds the tree.
#pragma once

#include "shelltree/item_data.h"
#include "shelltree/item_types.h"

#include <functional>
#include <memory>
#include <string>

namespace tallyrun {

class TQorShRoot
{
public:
    using TChangeCallback = std::function<void()>;

    explicit TQorShRoot(TChangeCallback onChange = {}) : onChange_(std::move(onChange)) {}

    const std::string& RootPath() const { return rootPath_; }
    TShSpecialFolderID RootFolderID() const { return rootFolderID_; }
    bool UsesID() const { return usesID_; }

    // Calls back when the value is new and the root follows the path (UsesID clear).
    void SetRootPath(const std::string& path);
    // Calls back when the value is new and the root follows the special folder (UsesID set).
    void SetRootFolderID(TShSpecialFolderID id);
    // Calls back whenever the value is new.
    void SetUsesID(bool usesID);
    // Copies all three values; one callback when any of them changed.
    void Assign(const TQorShRoot& other);
    void SetChangeCallback(TChangeCallback onChange) { onChange_ = std::move(onChange); }

    // The record of the root item; none when its location cannot be had. The Desktop's record
    // has the empty list as its absolute list and the desktop directory's list as its relative
    // identifier, so its level is 0 and its Path is the desktop directory.
    std::unique_ptr<TQorShFolderData> MakeRootItem() const;

private:
    void Changed();

    std::string rootPath_;
    TShSpecialFolderID rootFolderID_ = sfidDeskTop;
    bool usesID_ = true;
    TChangeCallback onChange_;
};

} // namespace tallyrun
