// The namespace's order: the fixed items of the Desktop first (Computer, home, Trash,
// Network), then drives, folders before files, names case-insensitively in the user's
// locale with ties broken by bytes, so that distinct names never compare equal.
#include "shelltree/sh_folder.h"

#include "shelltree/item_id.h"

#include <QCollator>
#include <QString>

#include <cstring>

namespace tallyrun {
namespace {

int RankOf(TShIDKind kind)
{
    switch (kind) {
    case TShIDKind::Computer:
        return 0;
    case TShIDKind::Home:
        return 1;
    case TShIDKind::Trash:
        return 2;
    case TShIDKind::Network:
        return 3;
    case TShIDKind::Drive:
        return 4;
    case TShIDKind::Folder:
        return 5;
    case TShIDKind::File:
        return 6;
    }
    return 7;
}

TShCompareResult FromOrder(int order)
{
    return order < 0   ? TShCompareResult::crBefore
           : order > 0 ? TShCompareResult::crAfter
                       : TShCompareResult::crEqual;
}

int CompareBytes(std::string_view a, std::string_view b)
{
    const int order = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (order != 0)
        return order;
    return a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0;
}

int CompareNames(std::string_view a, std::string_view b)
{
    // One collator per thread: making one costs far more than a comparison.
    thread_local const QCollator collator = [] {
        QCollator c;
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const int order =
        collator.compare(QString::fromUtf8(a.data(), static_cast<qsizetype>(a.size())),
                         QString::fromUtf8(b.data(), static_cast<qsizetype>(b.size())));
    return order != 0 ? order : CompareBytes(a, b);
}

} // namespace

TShCompareResult CompareItemIDs(PCItemIDList a, PCItemIDList b)
{
    TShItemView itemA, itemB;
    if (!DecodeItemID(a, itemA) || !DecodeItemID(b, itemB))
        return TShCompareResult::crFailure;
    const int rankA = RankOf(itemA.kind), rankB = RankOf(itemB.kind);
    if (rankA != rankB)
        return FromOrder(rankA - rankB);
    if (itemA.kind == TShIDKind::Drive && (itemA.name == "/" || itemB.name == "/"))
        return FromOrder(itemA.name == "/" ? (itemB.name == "/" ? 0 : -1) : 1);
    return FromOrder(CompareNames(itemA.name, itemB.name));
}

TShCompareResult TShFolder::CompareIDs(PCItemIDList a, PCItemIDList b) const
{
    if (!a || !b)
        return TShCompareResult::crFailure;
    // Item by item; a list that is the start of the other sorts first.
    for (;; a += ItemIDSize(a), b += ItemIDSize(b)) {
        if (ItemIDSize(a) == 0 || ItemIDSize(b) == 0)
            return FromOrder((ItemIDSize(a) != 0) - (ItemIDSize(b) != 0));
        const TShCompareResult result = CompareItemIDs(a, b);
        if (result != TShCompareResult::crEqual)
            return result;
    }
}

TShCompareResult TQorShID::CompareIDs(const TShFolder* folder, PCItemIDList a, PCItemIDList b)
{
    return folder ? folder->CompareIDs(a, b) : TShCompareResult::crFailure;
}

TShCompareResult TQorShID::CompareIDs(PCItemIDList a, PCItemIDList b)
{
    const auto desktop = TShFolder::Desktop();
    return CompareIDs(desktop.get(), a, b);
}

} // namespace tallyrun
