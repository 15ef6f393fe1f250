// Running a double-clicked item on real temp files, with a launcher that only records: what is
// selected, what is opened, and that nothing runnable is opened without consent.
#include "shelltree/run_item.h"

#include "shelltree/desktop_entry.h"
#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tallyrun::test {
namespace {

namespace fs = std::filesystem;

TEST(RunItem, DecisionForEachKindOfTarget)
{
    const struct
    {
        TRunFacts facts;
        TRunAction expected;
    } cases[] = {
        {{false, true, true, false}, TRunAction::raNothing},     // a folder: expand only
        {{true, true, true, false}, TRunAction::raSelectFolder}, // a link to a folder
        {{false, true, false, false}, TRunAction::raOpen},       // a document
        {{true, true, false, false}, TRunAction::raOpen},        // a link to a document
        {{false, true, false, true}, TRunAction::raConfirmThenOpen},
        {{true, true, false, true}, TRunAction::raConfirmThenOpen},
        {{true, false, false, false}, TRunAction::raNothing}, // a broken link
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecideRun(c.facts), c.expected)
            << c.facts.isLink << c.facts.targetExists << c.facts.targetIsFolder
            << c.facts.targetRunnable;
}

TEST(RunItem, DesktopLinkTargetsOnlyFromLinkEntriesWithLocalFiles)
{
    const struct
    {
        const char* text;
        const char* path; // nullptr: not a link entry
    } cases[] = {
        {"[Desktop Entry]\nType=Link\nURL=file:///home/u/a%20b\n", "/home/u/a b"},
        {"# c\n[Desktop Entry]\r\n Type = Link \r\nURL=file://localhost/x\r\n", "/x"},
        {"[Desktop Entry]\nType=Application\nExec=rm -rf ~\nURL=file:///x\n", nullptr},
        {"[Desktop Entry]\nType=Link\nURL=https://example.org/\n", nullptr},
        {"[Other]\nType=Link\nURL=file:///x\n[Desktop Entry]\nType=Link\n", nullptr},
        {"[Desktop Entry]\nType=Link\nURL=file:///x%00y\n", nullptr},
    };
    for (const auto& c : cases) {
        std::string path;
        EXPECT_EQ(DesktopLinkTarget(c.text, path), c.path != nullptr) << c.text;
        EXPECT_EQ(path, c.path ? c.path : "") << c.text;
    }
}

class RecordingLauncher : public TItemLauncher
{
public:
    bool Open(const std::string& path) override
    {
        opened.push_back(path);
        return true;
    }
    std::vector<std::string> opened;
};

TEST(RunItem, OpensDocumentsSelectsLinkedFoldersAndAsksBeforeRunnables)
{
    TTempTree tree;
    const std::string root = fs::canonical(tree.Folder()).string();
    const auto write = [&](const std::string& name, const std::string& text) {
        std::ofstream(root + "/" + name) << text;
        return root + "/" + name;
    };
    fs::create_directory(root + "/dir");
    const std::string doc = write("doc\xff.txt", "text");
    const std::string tool = write("tool", "\x7f"
                                           "ELF");
    fs::permissions(tool, fs::perms::owner_exec, fs::perm_options::add);
    const std::string script = write("script", "#!/bin/sh\necho\n");
    const std::string app = write("app.desktop", "[Desktop Entry]\nType=Application\nExec=x\n");
    write("dirlink.desktop", "[Desktop Entry]\nType=Link\nURL=file://" + root + "/dir\n");
    write("doclink.desktop", "[Desktop Entry]\nType=Link\nURL=file://" + root + "/doc%FF.txt\n");
    fs::create_directory_symlink(root + "/dir", root + "/to-dir");
    fs::create_symlink(doc, root + "/to-doc");
    fs::create_symlink(root + "/none", root + "/broken");

    const struct
    {
        std::string item;
        TRunAction action;
        std::string target;
        bool openedWithoutConsent;
    } cases[] = {
        {root + "/dir", TRunAction::raNothing, root + "/dir", false},
        {root + "/to-dir", TRunAction::raSelectFolder, root + "/dir", false},
        {root + "/dirlink.desktop", TRunAction::raSelectFolder, root + "/dir", false},
        {doc, TRunAction::raOpen, doc, true},
        {root + "/to-doc", TRunAction::raOpen, doc, true},
        {root + "/doclink.desktop", TRunAction::raOpen, doc, true},
        {tool, TRunAction::raConfirmThenOpen, tool, false},
        {script, TRunAction::raConfirmThenOpen, script, false},
        {app, TRunAction::raConfirmThenOpen, app, false},
        {root + "/broken", TRunAction::raNothing, "", false},
    };
    for (const auto& c : cases) {
        RecordingLauncher launcher;
        const TRunOutcome outcome = RunItem(c.item, launcher);
        EXPECT_EQ(outcome.action, c.action) << c.item;
        EXPECT_EQ(outcome.target, c.target) << c.item;
        EXPECT_EQ(launcher.opened.size(), c.openedWithoutConsent ? 1u : 0u) << c.item;
        if (c.action != TRunAction::raConfirmThenOpen)
            continue;
        std::string asked;
        RunItem(c.item, launcher, [&](const std::string& path) {
            asked = path;
            return false;
        });
        EXPECT_TRUE(launcher.opened.empty()) << c.item;
        EXPECT_EQ(asked, c.target) << c.item;
        EXPECT_TRUE(RunItem(c.item, launcher, [](const std::string&) { return true; }).opened);
        EXPECT_EQ(launcher.opened, std::vector<std::string>{c.target}) << c.item;
    }
    fs::remove_all(root); // Qt's own removal skips names that are not UTF-8
}

} // namespace
} // namespace tallyrun::test
