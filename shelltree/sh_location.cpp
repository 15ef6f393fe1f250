#include "shelltree/sh_location.h"

#include "platform/user_dirs.h"
#include "shelltree/item_id.h"

#include <QString>

#include <cstring>

namespace tallyrun {

std::string JoinPath(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

namespace {

// The first item of a list: one of the fixed items, or an entry of the desktop directory.
bool ResolveFirst(const TShItemView& item, TShLocation& location)
{
    location.level = 1;
    switch (item.kind) {
    case TShIDKind::Computer:
        location.kind = TShLocationKind::Computer;
        location.underComputer = true;
        return true;
    case TShIDKind::Home:
        location.kind = TShLocationKind::Home;
        location.path = platform::HomeDirectory();
        return !location.path.empty();
    case TShIDKind::Trash:
        location.kind = TShLocationKind::Trash;
        return true;
    case TShIDKind::Network:
        location.kind = TShLocationKind::Network;
        return true;
    case TShIDKind::Folder:
    case TShIDKind::File:
        location.kind =
            item.kind == TShIDKind::Folder ? TShLocationKind::Folder : TShLocationKind::File;
        location.path = JoinPath(platform::DesktopDirectory(), item.name);
        return true;
    case TShIDKind::Drive:
        return false;
    }
    return false;
}

// One more item below the location reached so far.
bool ResolveNext(const TShItemView& item, TShLocation& location)
{
    ++location.level;
    if (location.kind == TShLocationKind::Computer) {
        if (item.kind != TShIDKind::Drive)
            return false;
        location.kind = TShLocationKind::Drive;
        location.path = std::string(item.name);
        while (location.path.size() > 1 && location.path.back() == '/')
            location.path.pop_back();
        location.driveMount = location.path;
        return true;
    }
    const bool container = location.kind == TShLocationKind::Drive ||
                           location.kind == TShLocationKind::Home ||
                           location.kind == TShLocationKind::Folder;
    if (!container || (item.kind != TShIDKind::Folder && item.kind != TShIDKind::File))
        return false;
    location.kind =
        item.kind == TShIDKind::Folder ? TShLocationKind::Folder : TShLocationKind::File;
    location.path = JoinPath(location.path, item.name);
    return true;
}

} // namespace

bool ResolveIDList(PCItemIDList list, TShLocation& location)
{
    location = TShLocation{};
    if (!list)
        return false;
    if (ItemIDSize(list) == 0) {
        location.path = platform::DesktopDirectory();
        return true;
    }
    for (PCItemIDList item = list; ItemIDSize(item) != 0; item += ItemIDSize(item)) {
        TShItemView view;
        if (!DecodeItemID(item, view))
            return false;
        if (!(item == list ? ResolveFirst(view, location) : ResolveNext(view, location)))
            return false;
    }
    return true;
}

bool ResolveIDListBelow(PCItemIDList parentList, const TShLocation& parentLocation,
                        PCItemIDList list, TShLocation& location)
{
    // Resolving is a fold over the items, so a list that is the parent's (not the empty list,
    // whose first item resolves differently) plus one item resolves from the parent's result.
    const std::size_t parentSize = parentList ? TQorShID::IDListSize(parentList) - 2 : 0;
    if (parentSize == 0 || !list || TQorShID::IDListSize(list) < parentSize + 2 ||
        std::memcmp(parentList, list, parentSize) != 0)
        return ResolveIDList(list, location);
    PCItemIDList last = list + parentSize;
    const std::uint16_t lastSize = ItemIDSize(last);
    if (lastSize == 0 || ItemIDSize(last + lastSize) != 0)
        return ResolveIDList(list, location);
    TShItemView view;
    location = parentLocation;
    return DecodeItemID(last, view) && ResolveNext(view, location);
}

bool PathOfLocation(const TShLocation& location, std::string& path)
{
    path.clear();
    if (location.path.empty())
        return false;
    path = location.path;
    if (location.kind == TShLocationKind::Drive && path.back() != '/')
        path += '/';
    return true;
}

std::string DisplayTextOfName(std::string_view name)
{
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return text.toStdString();
}

} // namespace tallyrun
