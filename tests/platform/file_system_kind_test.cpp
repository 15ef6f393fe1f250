#include "platform/file_system_kind.h"

#include "tests/support/temp_tree.h"

#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

using platform::IsOnPseudoFileSystem;

TEST(FileSystemKindTest, OnlyFoldersOfTheKernelsPseudoFileSystemsCountAsPseudo)
{
    TTempTree tree;
    tree.Dir("real");
    tree.Link("to-proc", "/proc"); // a link is not followed: it is not a folder there
    const struct
    {
        std::string path;
        bool pseudo;
    } cases[] = {
        {"/proc", true},
        {"/proc/1", true},
        {"/sys", true},
        {"/sys/kernel", true},
        {tree.Path("real"), false},
        {tree.Root(), false},
        {tree.Path("to-proc"), false},
        {tree.Path("missing"), false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsOnPseudoFileSystem(c.path), c.pseudo) << c.path;
}

} // namespace
} // namespace tallyrun::test
