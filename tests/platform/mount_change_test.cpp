// Noticing mounts and unmounts: the difference of two mount lists, and a real mount in a user
// and mount namespace marking the mount table.
#include "platform/mount_change.h"

#include "tests/support/child_process.h"
#include "tests/support/user_namespace.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <fstream>
#include <sstream>

namespace tallyrun::test {

using namespace platform;

namespace {

TEST(MountChange, DiffReportsAddedAndRemovedPointsOnce)
{
    const auto changes =
        DiffMountPoints({"/", "/media/a", "/media/b"}, {"/", "/media/b", "/media/c", "/media/c"});
    EXPECT_EQ(changes.added, std::vector<std::string>{"/media/c"});
    EXPECT_EQ(changes.removed, std::vector<std::string>{"/media/a"});
    EXPECT_TRUE(DiffMountPoints({"/"}, {"/"}).Empty());
}

// Every mount point of this process's table (the fifth field), escapes left as they are.
std::vector<std::string> MountPoints()
{
    std::vector<std::string> points;
    std::ifstream table("/proc/self/mountinfo");
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string field;
        for (int i = 0; i < 5 && fields >> field; ++i) {
        }
        points.push_back(field);
    }
    return points;
}

TEST(MountChange, AMountAndAnUnmountAreNoticed)
{
    QTemporaryDir tmp;
    const std::string at = tmp.path().toStdString();
    const auto result = RunInChild([&] {
        EnterNamespaceWithTinyDisk(at);
        TMountChangeDetector detector(MountPoints);
        if (detector.WaitForChange(0))
            return std::string("a change was reported before any");
        if (::umount(at.c_str()) != 0)
            return std::string("umount failed");
        if (!detector.WaitForChange(5000))
            return std::string("the unmount was not noticed");
        auto changes = detector.Update();
        if (changes.removed != std::vector<std::string>{at} || !changes.added.empty())
            return std::string("the unmount was reported wrongly");
        if (detector.WaitForChange(0))
            return std::string("the change was not acknowledged");
        if (::mount("tmpfs", at.c_str(), "tmpfs", 0, "size=64k") != 0)
            return std::string("mount failed");
        if (!detector.WaitForChange(5000))
            return std::string("the mount was not noticed");
        changes = detector.Update();
        if (changes.added != std::vector<std::string>{at} || !changes.removed.empty())
            return std::string("the mount was reported wrongly");
        return std::string();
    });
    if (result.skipped)
        GTEST_SKIP() << result.failure;
    EXPECT_EQ(result.failure, "");
}

} // namespace
} // namespace tallyrun::test
