// Folder objects of our namespace: the Desktop, Computer, Trash, Network and every folder of
// the file system, each bound to its absolute identifier list. A folder answers for
// identifiers relative to itself (usually one item; the Desktop root's record passes a longer
// list). Every failure is an empty answer, never an exception.
#pragma once

#include "shelltree/id_list.h"
#include "shelltree/sh_location.h"

#include <memory>
#include <string>
#include <vector>

namespace tallyrun {

// GetIconOf flags.
inline constexpr std::uint32_t GIL_OPENICON = 0x1;
inline constexpr std::uint32_t GIL_FORSHELL = 0x2;

class TShFolder
{
public:
    // The Desktop's folder object.
    static std::shared_ptr<TShFolder> Desktop();

    PCItemIDList AbsoluteIDList() const { return absolute_.get(); }
    const TShLocation& Location() const { return location_; }

    // The folder object of a folder named relative to this one; none when the list names no
    // folder or the folder no longer exists.
    std::shared_ptr<TShFolder> BindToObject(PCItemIDList relative) const;
    // Appends one one-item list per child that the flags (SHCONTF_...) let through; false
    // when the folder cannot be listed (it then lists nothing).
    bool EnumObjects(std::uint32_t flags, std::vector<TIDListPtr>& children) const;
    TShCompareResult CompareIDs(PCItemIDList a, PCItemIDList b) const;
    // The attribute flags of the item limited to `mask`; false when the identifier names nothing.
    bool GetAttributesOf(PCItemIDList relative, std::uint32_t mask, std::uint32_t& flags) const;
    bool GetDisplayNameOf(PCItemIDList relative, std::string& name) const;
    // Renames the item; on success `renamed` is its new relative identifier. Never replaces
    // an existing entry; refuses empty names, "." and "..", and names holding "/" or NUL.
    bool SetNameOf(PCItemIDList relative, const std::string& name, TIDListPtr& renamed) const;
    // The item's index in the process-wide icon list; -1 when the identifier names nothing.
    int GetIconOf(PCItemIDList relative, std::uint32_t flags) const;

private:
    TShFolder(TIDListPtr absolute, const TShLocation& location);
    // The location of this folder's list followed by `relative`.
    bool ResolveChild(PCItemIDList relative, TShLocation& location) const;
    void EnumDesktop(std::uint32_t flags, std::vector<TIDListPtr>& children) const;
    void EnumDrives(std::vector<TIDListPtr>& children) const;
    bool EnumFileSystem(const std::string& path, std::uint32_t flags,
                        std::vector<TIDListPtr>& children) const;

    TIDListPtr absolute_;
    TShLocation location_;
};

// The attribute flags of a location (before any mask).
std::uint32_t AttributesOfLocation(const TShLocation& location);
// The display name of a location.
std::string DisplayNameOfLocation(const TShLocation& location);
// The icon of a location in the process-wide icon list.
int IconOfLocation(const TShLocation& location, bool open);
// The order of two single items of our lists.
TShCompareResult CompareItemIDs(PCItemIDList a, PCItemIDList b);

} // namespace tallyrun
