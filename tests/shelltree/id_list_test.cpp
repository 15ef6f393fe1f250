#include "shelltree/id_list.h"

#include "shelltree/item_id.h"

#include <gtest/gtest.h>

#include <vector>

namespace tallyrun::test {
namespace {

// An owned list of the given items (each item's data bytes), for the cases below.
TIDListPtr ListOf(std::initializer_list<std::string> names)
{
    TIDListPtr list(TQorShID::AllocIDList(2));
    for (const auto& name : names) {
        TIDListPtr item(MakeItemID(TShIDKind::Folder, name));
        list.reset(TQorShID::ConcatIDLists(list.get(), item.get()));
    }
    return list;
}

TEST(IDList, SizesAndCountsOfEmptyAndNone)
{
    const TIDListPtr empty(TQorShID::AllocIDList(2));
    EXPECT_EQ(TQorShID::IDListSize(empty.get()), 2u);
    EXPECT_EQ(TQorShID::IDListCount(empty.get()), 0);
    EXPECT_EQ(TQorShID::IDListSize(nullptr), 0u);
    EXPECT_EQ(TQorShID::IDListCount(nullptr), -1);
    const auto list = ListOf({"ab", "c"});
    EXPECT_EQ(TQorShID::IDListSize(list.get()), 2u + 5 + 4);
    EXPECT_EQ(TQorShID::IDListCount(list.get()), 2);
}

TEST(IDList, NextLastFirstAndParent)
{
    const auto one = ListOf({"a"});
    EXPECT_EQ(TQorShID::NextID(one.get()), nullptr);
    EXPECT_EQ(TQorShID::NextID(nullptr), nullptr);
    const TIDListPtr parent(TQorShID::ParentOfIDList(one.get()));
    ASSERT_TRUE(parent);
    EXPECT_EQ(TQorShID::IDListCount(parent.get()), 0);
    EXPECT_EQ(TQorShID::ParentOfIDList(nullptr), nullptr);

    const auto three = ListOf({"a", "bb", "ccc"});
    EXPECT_EQ(TQorShID::NextID(three.get()), three.get() + 4);
    EXPECT_EQ(TQorShID::LastID(three.get()), three.get() + 4 + 5);
    const TIDListPtr first(TQorShID::FirstID(three.get()));
    EXPECT_TRUE(TQorShID::SameIDList(first.get(), ListOf({"a"}).get()));
    const TIDListPtr up(TQorShID::ParentOfIDList(three.get()));
    EXPECT_TRUE(TQorShID::SameIDList(up.get(), ListOf({"a", "bb"}).get()));
    const TIDListPtr empty(TQorShID::AllocIDList(2));
    EXPECT_EQ(TQorShID::LastID(empty.get()), empty.get());
}

TEST(IDList, CopyAndConcat)
{
    const auto x = ListOf({"a", "b"});
    const TIDListPtr empty(TQorShID::AllocIDList(2));
    const TIDListPtr joined(TQorShID::ConcatIDLists(empty.get(), x.get()));
    const TIDListPtr copy(TQorShID::CopyIDList(x.get()));
    EXPECT_TRUE(TQorShID::SameIDList(joined.get(), copy.get()));
    EXPECT_NE(copy.get(), x.get());
    EXPECT_EQ(TQorShID::ConcatIDLists(nullptr, x.get()), nullptr);
    EXPECT_EQ(TQorShID::ConcatIDLists(x.get(), nullptr), nullptr);
    EXPECT_EQ(TQorShID::CopyIDList(nullptr), nullptr);
    const TIDListPtr both(TQorShID::ConcatIDLists(x.get(), x.get()));
    EXPECT_TRUE(TQorShID::SameIDList(both.get(), ListOf({"a", "b", "a", "b"}).get()));
}

TEST(IDList, AncestorRules)
{
    const auto a = ListOf({"a"});
    const auto ab = ListOf({"a", "b"});
    const auto abc = ListOf({"a", "b", "c"});
    const TIDListPtr empty(TQorShID::AllocIDList(2));
    EXPECT_FALSE(TQorShID::IsAncestorIDList(a.get(), a.get()));
    EXPECT_TRUE(TQorShID::IsAncestorIDList(empty.get(), a.get()));
    EXPECT_TRUE(TQorShID::IsAncestorIDList(empty.get(), abc.get()));
    EXPECT_FALSE(TQorShID::IsAncestorIDList(empty.get(), empty.get()));
    EXPECT_TRUE(TQorShID::IsAncestorIDList(a.get(), abc.get()));
    EXPECT_TRUE(TQorShID::IsAncestorIDList(ab.get(), abc.get()));
    EXPECT_FALSE(TQorShID::IsAncestorIDList(abc.get(), ab.get()));
    EXPECT_FALSE(TQorShID::IsAncestorIDList(ListOf({"x"}).get(), abc.get()));
    // "a" is not an ancestor of "ab...": items compare whole, not by byte prefix.
    EXPECT_FALSE(TQorShID::IsAncestorIDList(a.get(), ListOf({"ab", "c"}).get()));
    EXPECT_FALSE(TQorShID::IsAncestorIDList(nullptr, abc.get()));
    EXPECT_FALSE(TQorShID::IsAncestorIDList(a.get(), nullptr));
}

TEST(IDList, SameListRules)
{
    EXPECT_TRUE(TQorShID::SameIDList(ListOf({"a", "b"}).get(), ListOf({"a", "b"}).get()));
    EXPECT_FALSE(TQorShID::SameIDList(ListOf({"a"}).get(), ListOf({"a", "b"}).get()));
    EXPECT_FALSE(TQorShID::SameIDList(ListOf({"a", "b"}).get(), ListOf({"a", "c"}).get()));
    EXPECT_FALSE(TQorShID::SameIDList(nullptr, nullptr));
    EXPECT_FALSE(TQorShID::SameIDList(ListOf({}).get(), nullptr));
}

TEST(IDList, FreeClearsTheReference)
{
    PItemIDList list = TQorShID::AllocIDList(8);
    ASSERT_NE(list, nullptr);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(list[i], 0);
    TQorShID::FreeIDList(list);
    EXPECT_EQ(list, nullptr);
    TQorShID::FreeIDList(list); // freeing none does nothing
}

TEST(IDList, BytesAreCheckedBeforeUse)
{
    const std::vector<std::uint8_t> good = {4, 0, 'F', 'a', 0, 0};
    const TIDListPtr list(TQorShID::IDListFromBytes(good.data(), good.size()));
    ASSERT_TRUE(list);
    EXPECT_EQ(TQorShID::IDListCount(list.get()), 1);
    const std::vector<std::vector<std::uint8_t>> bad = {
        {},                     // nothing
        {0},                    // half a terminator
        {4, 0, 'F', 'a'},       // no terminator
        {9, 0, 'F', 'a', 0, 0}, // item longer than the bytes
        {1, 0, 0, 0},           // item shorter than its count
        {2, 0, 0, 0},           // item without data
        {0xFF, 0xFF, 0, 0},
    };
    for (const auto& bytes : bad)
        EXPECT_EQ(TQorShID::IDListFromBytes(bytes.data(), bytes.size()), nullptr);
    EXPECT_EQ(TQorShID::IDListFromBytes(nullptr, 10), nullptr);
}

TEST(ItemID, NamesThatLeadOutsideTheirFolderAreRefused)
{
    for (const std::string& name :
         std::vector<std::string>{"", ".", "..", "a/b", std::string("a\0b", 3)}) {
        EXPECT_EQ(MakeItemID(TShIDKind::Folder, name), nullptr) << name;
        EXPECT_FALSE(IsValidEntryName(name));
    }
    EXPECT_EQ(MakeItemID(TShIDKind::Drive, "relative"), nullptr);
    EXPECT_EQ(MakeItemID(TShIDKind::Computer, "x"), nullptr);
    EXPECT_EQ(MakeItemID(TShIDKind::Folder, std::string(70000, 'a')), nullptr);
    const TIDListPtr odd(MakeItemID(TShIDKind::Folder, "\xff\xfe"));
    TShItemView view;
    ASSERT_TRUE(DecodeItemID(odd.get(), view));
    EXPECT_EQ(view.name, "\xff\xfe");
    const std::uint8_t unknownKind[] = {4, 0, 'Z', 'a', 0, 0};
    EXPECT_FALSE(DecodeItemID(unknownKind, view));
}

} // namespace
} // namespace tallyrun::test
