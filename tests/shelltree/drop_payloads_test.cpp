// The two drop payloads, read from untrusted bytes: the file-name list and the identifier
// array, and the drag object that chooses between them.
#include "shelltree/drag_object.h"
#include "shelltree/drop_effect.h"
#include "shelltree/drop_id_array.h"
#include "shelltree/drop_uri_list.h"
#include "shelltree/item_id.h"

#include <QMimeData>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace tallyrun::test {
namespace {

struct UriCase
{
    const char* what;
    std::string payload;
    std::vector<std::string> paths; // empty: refused
};

TEST(UriList, AcceptsLocalFileUrlsAndRefusesAnyBadLineWhole)
{
    const std::vector<UriCase> cases = {
        {"plain and localhost, CRLF", "file:///a/b\r\nFILE://localhost/c\r\n", {"/a/b", "/c"}},
        {"comments and blank lines skipped", "# x\n\nfile:///d\n", {"/d"}},
        {"last line without end", "file:///e", {"/e"}},
        {"escapes decoded to raw bytes", "file:///%E6%97%A5%ff%20x", {"/\xE6\x97\xA5\xFF x"}},
        {"other host", "file:///ok\nfile://otherhost/x\n", {}},
        {"other scheme", "http://localhost/x\n", {}},
        {"relative path", "file:x\n", {}},
        {"host only", "file://localhost\n", {}},
        {"escaped NUL", "file:///a%00b\n", {}},
        {"escaped newline", "file:///a%0Ab\n", {}},
        {"raw control byte", std::string("file:///a\x01", 10), {}},
        {"short escape", "file:///a%4\n", {}},
        {"bad hex", "file:///a%zz\n", {}},
        {"query", "file:///a?b\n", {}},
        {"nothing but comments", "# only\n", {}},
    };
    for (const auto& c : cases) {
        const TUriListResult result = ParseUriList(c.payload);
        EXPECT_EQ(result.ok, !c.paths.empty()) << c.what;
        EXPECT_EQ(result.paths, c.paths) << c.what;
        EXPECT_EQ(result.error.empty(), result.ok) << c.what;
    }
}

TEST(UriList, RefusesTooManyEntriesOrBytesAndRoundTripsOddNames)
{
    std::string many;
    for (std::size_t i = 0; i <= kUriListMaxEntries; ++i)
        many += "file:///f\n";
    EXPECT_FALSE(ParseUriList(many).ok);
    EXPECT_TRUE(ParseUriList(many.substr(std::strlen("file:///f\n"))).ok);
    EXPECT_FALSE(ParseUriList(std::string(kUriListMaxBytes + 1, '#')).ok);

    const std::string odd = "/t/100% \xFF#?&\xE6\x97\xA5";
    const TUriListResult back = ParseUriList(FileUrlOfPath(odd));
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.paths, std::vector<std::string>{odd});
}

// An absolute list of folder items with the given names.
TIDListPtr ListOf(std::initializer_list<const char*> names)
{
    TIDListPtr list(TQorShID::AllocIDList(2));
    for (const char* name : names) {
        TIDListPtr item(MakeItemID(TShIDKind::Folder, name));
        list.reset(TQorShID::ConcatIDLists(list.get(), item.get()));
    }
    return list;
}

void PutWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

TEST(IDArray, WrittenArrayReadsBackAndDamagedOnesAreRefused)
{
    const auto parent = ListOf({"home", "u"});
    const auto a = ListOf({"a"});
    const auto b = ListOf({"b\xFF"});
    const auto good = WriteIDArray(parent.get(), {a.get(), b.get()});
    const TIDArrayResult read = ParseIDArray(good.data(), good.size());
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(TQorShID::SameIDList(read.array.parent.get(), parent.get()));
    ASSERT_EQ(read.array.items.size(), 2u);
    EXPECT_TRUE(TQorShID::SameIDList(read.array.items[1].get(), b.get()));

    const auto empty = ListOf({});
    struct Damage
    {
        const char* what;
        std::function<void(std::vector<std::uint8_t>&)> apply;
    };
    const std::vector<Damage> damages = {
        {"truncated count", [](auto& v) { v.resize(3); }},
        {"zero count", [](auto& v) { PutWord(v, 0, 0); }},
        {"huge count", [](auto& v) { PutWord(v, 0, 0xFFFFFFFF); }},
        {"count past the offsets", [](auto& v) { PutWord(v, 0, 3); }},
        {"offset past the end", [](auto& v) { PutWord(v, 8, 0x7FFFFFF0); }},
        {"offset into the header", [](auto& v) { PutWord(v, 8, 4); }},
        {"unterminated last list", [](auto& v) { v.resize(v.size() - 1); }},
        {"empty item", [&](auto& v) { v = WriteIDArray(parent.get(), {empty.get()}); }},
    };
    for (const auto& d : damages) {
        auto bytes = good;
        d.apply(bytes);
        const TIDArrayResult result = ParseIDArray(bytes.data(), bytes.size());
        EXPECT_FALSE(result.ok) << d.what;
        EXPECT_FALSE(result.error.empty()) << d.what;
    }
    EXPECT_TRUE(WriteIDArray(nullptr, {a.get()}).empty());
}

TEST(DragObject, PrefersTheIdentifierArrayAndRefusesNoData)
{
    try {
        TQorShDragObject none(nullptr);
        FAIL() << "made without data";
    } catch (const EShParameterError& e) {
        EXPECT_STREQ(e.what(), "パラメータが不正です。");
    }

    const auto parent = ListOf({"p"});
    const auto item = ListOf({"x"});
    const auto array = WriteIDArray(parent.get(), {item.get()});
    QMimeData both;
    both.setData(TQorShDragObject::kUriListMimeType, "file:///one\nfile:///two\n");
    both.setData(kIDArrayMimeType, QByteArray(reinterpret_cast<const char*>(array.data()),
                                              static_cast<qsizetype>(array.size())));
    TQorShDragObject fromArray(&both);
    EXPECT_TRUE(fromArray.HasIDArray());
    EXPECT_EQ(fromArray.ItemCount(), 1);
    EXPECT_TRUE(TQorShID::SameIDList(fromArray.ParentIDList(), parent.get()));

    QMimeData files;
    files.setData(TQorShDragObject::kUriListMimeType, "file:///one\nfile:///two\n");
    TQorShDragObject fromFiles(&files);
    EXPECT_EQ(fromFiles.ItemCount(), 2);
    EXPECT_EQ(fromFiles.ParentIDList(), nullptr);

    QMimeData bad;
    bad.setData(TQorShDragObject::kUriListMimeType, "file:///one\nfile://elsewhere/two\n");
    TQorShDragObject fromBad(&bad);
    EXPECT_EQ(fromBad.ItemCount(), 0);
    EXPECT_TRUE(fromBad.FileNames().empty());
    EXPECT_FALSE(fromBad.Error().empty());

    QMimeData text;
    text.setText("hello");
    EXPECT_FALSE(TQorShDragObject::CanWrap(&text));
    EXPECT_TRUE(TQorShDragObject::CanWrap(&files));
}

TEST(DropEffect, ModifierKeysChooseCopyMoveOrLink)
{
    const struct
    {
        Qt::KeyboardModifiers keys;
        platform::TDropEffect effect;
    } cases[] = {
        {Qt::NoModifier, platform::TDropEffect::deCopy},
        {Qt::ControlModifier, platform::TDropEffect::deCopy},
        {Qt::ShiftModifier, platform::TDropEffect::deMove},
        {Qt::ControlModifier | Qt::ShiftModifier, platform::TDropEffect::deLink},
        {Qt::AltModifier, platform::TDropEffect::deLink},
        {Qt::AltModifier | Qt::ShiftModifier, platform::TDropEffect::deLink},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DropEffectForModifiers(c.keys), c.effect) << c.keys.toInt();
}

} // namespace
} // namespace tallyrun::test
