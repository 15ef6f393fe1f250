// Dropping into a folder on real temporary trees: copy, move and link, refusals that must leave
// both sides intact, and a full disk (a file size limit, and a tiny tmpfs in a user and mount
// namespace) that must leave the source whole and no partial copy behind.
#include "platform/drop_entries.h"

#include "tests/support/child_process.h"
#include "tests/support/temp_tree.h"
#include "tests/support/user_namespace.h"

#include <gtest/gtest.h>

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace tallyrun::test {

using namespace platform;

namespace {

namespace fs = std::filesystem;

void WriteFile(const std::string& path, std::size_t bytes, char fill = 'x')
{
    std::ofstream(path, std::ios::binary) << std::string(bytes, fill);
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A source tree with an odd name, a nested file, a read-only file and a link pointing outside.
class DropInto : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(fs::is_directory(tree_.Root()));
        fs::create_directories(P("src/tree\xff/sub"));
        fs::create_directories(P("dst"));
        WriteFile(P("src/tree\xff/sub/a.txt"), 3, 'a');
        WriteFile(P("src/tree\xff/ro"), 2, 'r');
        fs::permissions(P("src/tree\xff/ro"), fs::perms::owner_read);
        fs::create_symlink("/etc/hostname", P("src/tree\xff/outside"));
        WriteFile(P("src/file"), 5, 'f');
    }
    std::string P(const std::string& name) const { return tree_.Path(name); }
    TDropItemOutcome DropOne(const std::string& source, const std::string& target,
                             TDropEffect effect)
    {
        const auto outcomes = DropEntries({P(source)}, P(target), effect);
        return outcomes.size() == 1 ? outcomes[0] : TDropItemOutcome{};
    }
    TTempTree tree_;
};

TEST_F(DropInto, CopiesTreesWithLinksAsLinksAndMovesAndLinks)
{
    auto outcome = DropOne("src/tree\xff", "dst", TDropEffect::deCopy);
    EXPECT_EQ(outcome.result, TDropItemResult::driDone) << outcome.error;
    EXPECT_EQ(ReadFile(P("dst/tree\xff/sub/a.txt")), "aaa");
    EXPECT_EQ(fs::status(P("dst/tree\xff/ro")).permissions() & fs::perms::all,
              fs::perms::owner_read);
    EXPECT_EQ(fs::read_symlink(P("dst/tree\xff/outside")), "/etc/hostname");
    EXPECT_TRUE(fs::exists(P("src/tree\xff/sub/a.txt")));

    outcome = DropOne("src/file", "dst", TDropEffect::deLink);
    EXPECT_EQ(outcome.result, TDropItemResult::driDone);
    EXPECT_EQ(fs::read_symlink(P("dst/file")), P("src/file"));

    fs::create_directories(P("other"));
    outcome = DropOne("src/file", "other", TDropEffect::deMove);
    EXPECT_EQ(outcome.result, TDropItemResult::driDone);
    EXPECT_FALSE(fs::exists(P("src/file")));
    EXPECT_EQ(ReadFile(P("other/file")), "fffff");
}

TEST_F(DropInto, RefusalsLeaveBothSidesIntact)
{
    WriteFile(P("dst/file"), 1, 'd');
    fs::create_directories(P("dst/tree\xff"));
    WriteFile(P("dst/tree\xff/mine"), 1, 'm');
    struct Case
    {
        const char* what;
        std::string source, target;
        TDropEffect effect;
        TDropItemResult expected;
    };
    const std::vector<Case> cases = {
        {"copy over a file", "src/file", "dst", TDropEffect::deCopy,
         TDropItemResult::driNameExists},
        {"move over a file", "src/file", "dst", TDropEffect::deMove,
         TDropItemResult::driNameExists},
        {"link over a file", "src/file", "dst", TDropEffect::deLink,
         TDropItemResult::driNameExists},
        {"move a folder over a folder", "src/tree\xff", "dst", TDropEffect::deMove,
         TDropItemResult::driNameExists},
        {"move into its own folder", "src/file", "src", TDropEffect::deMove,
         TDropItemResult::driNameExists},
        {"copy a folder into itself", "src/tree\xff", "src/tree\xff", TDropEffect::deCopy,
         TDropItemResult::driIntoItself},
        {"move a folder into its child", "src/tree\xff", "src/tree\xff/sub", TDropEffect::deMove,
         TDropItemResult::driIntoItself},
        {"missing source", "src/none", "dst", TDropEffect::deCopy, TDropItemResult::driFailed},
        {"missing target", "src/file", "none", TDropEffect::deCopy, TDropItemResult::driFailed},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DropOne(c.source, c.target, c.effect).result, c.expected) << c.what;
        EXPECT_EQ(ReadFile(P("src/file")), "fffff") << c.what;
        EXPECT_EQ(ReadFile(P("dst/file")), "d") << c.what;
        EXPECT_EQ(ReadFile(P("src/tree\xff/sub/a.txt")), "aaa") << c.what;
        EXPECT_EQ(ReadFile(P("dst/tree\xff/mine")), "m") << c.what;
        EXPECT_FALSE(fs::exists(P("dst/tree\xff/sub"))) << c.what;
        EXPECT_FALSE(fs::exists(P("src/tree\xff/sub/tree\xff"))) << c.what;
    }
    // A link to the folder is followed to the folder it names: still into itself.
    fs::create_directory_symlink(P("src/tree\xff/sub"), P("via"));
    EXPECT_EQ(DropOne("src/tree\xff", "via", TDropEffect::deCopy).result,
              TDropItemResult::driIntoItself);
}

// What a full disk must leave: no entry of the dropped name in the target, the source whole.
std::string CheckFullDisk(const TDropItemOutcome& outcome, const std::string& leftover,
                          const std::string& source, const std::string& content)
{
    if (outcome.result != TDropItemResult::driNoSpace)
        return "not reported as a full disk, errno " + std::to_string(outcome.error);
    if (fs::exists(fs::symlink_status(leftover)))
        return "a partial copy was left behind";
    if (ReadFile(source) != content)
        return "the source was changed";
    return {};
}

TEST_F(DropInto, FileSizeLimitLeavesNoPartialCopy)
{
    WriteFile(P("src/tree\xff/big"), 300 * 1024, 'b');
    const auto result = RunInChild([this] {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return std::string("setrlimit failed");
        return CheckFullDisk(DropOne("src/tree\xff", "dst", TDropEffect::deCopy), P("dst/tree\xff"),
                             P("src/tree\xff/big"), std::string(300 * 1024, 'b'));
    });
    EXPECT_EQ(result.failure, "");
}

TEST_F(DropInto, MoveAcrossFileSystemsOntoAFullDiskKeepsTheSource)
{
    WriteFile(P("src/big"), 300 * 1024, 'b');
    WriteFile(P("src/tree\xff/sub/big"), 300 * 1024, 'c');
    const auto result = RunInChild([this] {
        EnterNamespaceWithTinyDisk(P("dst"));
        // A small file moves across: copied whole, then the source removed.
        auto outcome = DropOne("src/file", "dst", TDropEffect::deMove);
        if (outcome.result != TDropItemResult::driDone || fs::exists(P("src/file")) ||
            ReadFile(P("dst/file")) != "fffff")
            return std::string("the small move across file systems failed");
        if (auto failure = CheckFullDisk(DropOne("src/big", "dst", TDropEffect::deMove),
                                         P("dst/big"), P("src/big"), std::string(300 * 1024, 'b'));
            !failure.empty())
            return "file: " + failure;
        return CheckFullDisk(DropOne("src/tree\xff", "dst", TDropEffect::deMove), P("dst/tree\xff"),
                             P("src/tree\xff/sub/big"), std::string(300 * 1024, 'c'));
    });
    if (result.skipped)
        GTEST_SKIP() << result.failure;
    EXPECT_EQ(result.failure, "");
}

} // namespace
} // namespace tallyrun::test
