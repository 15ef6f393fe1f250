// Starting and finishing an in-place rename on real temporary folders.
#include "shelltree/label_edit.h"

#include "shell_fixture.h"
#include "shelltree/folder_locations.h"
#include "shelltree/sh_root.h"

#include <filesystem>

namespace tallyrun::test {
namespace {

using LabelEditTest = ShellFixture;

TEST_F(LabelEditTest, EditStartsOnlyOnRenamableItemsWhileTheMouseIsIdle)
{
    TQorShFolderData folder(ListOf(MakeDir(Root() + "/f")).release());
    PItemIDList computerList = nullptr;
    ASSERT_TRUE(SpecialFolderIDList(sfidDrives, computerList));
    TQorShFolderData computer(computerList);
    const auto desktop = TQorShRoot().MakeRootItem();
    const struct
    {
        const char* what;
        TQorShData* item;
        bool mouseIdle, allowed, expected;
    } cases[] = {
        {"folder", &folder, true, true, true},
        {"folder while dragging", &folder, false, true, false},
        {"folder the tree refuses", &folder, true, false, false},
        {"computer", &computer, true, true, false},
        {"desktop", desktop.get(), true, true, false},
        {"no item", nullptr, true, true, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CanStartLabelEdit(c.item, c.mouseIdle, c.allowed), c.expected) << c.what;
}

TEST_F(LabelEditTest, FinishShowsTheOldNameWhenRefusedAndAlwaysResumesWatching)
{
    const std::string dir = MakeDir(Root() + "/ren");
    MakeDir(dir + "/old");
    MakeFile(dir + "/taken", "keep");
    TQorShFolderData item(ListOf(dir + "/old").release());
    int suspended = 0, resumed = 0;
    const TWatchPause pause{[&] { ++suspended; }, [&] { ++resumed; }};
    bool renamed = true;
    EXPECT_EQ(FinishLabelEdit(item, "taken", pause, renamed), "old");
    EXPECT_FALSE(renamed);
    EXPECT_EQ(FinishLabelEdit(item, "new", pause, renamed), "new");
    EXPECT_TRUE(renamed);
    EXPECT_TRUE(std::filesystem::is_directory(dir + "/new"));
    EXPECT_EQ(suspended, 2);
    EXPECT_EQ(resumed, 2);
}

} // namespace
} // namespace tallyrun::test
