#include "platform/mount_table.h"

#include <gtest/gtest.h>

namespace tallyrun {
namespace {

TEST(MountTable, BlockMountsOfWholeFileSystemsWithRootFirst)
{
    const std::string info =
        "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
        "30 1 8:17 / /media/my\\040disk rw shared:5 - ext4 /dev/sdb1 rw\n"
        "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
        "31 1 8:18 /sub /srv/bind rw - ext4 /dev/sdb2 rw\n"
        "32 1 0:40 / /run/user tmpfs rw - tmpfs tmpfs rw\n"
        "33 1 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
        "34 1 8:33 / /media/cd ro - vfat /dev/sdc1 rw\n"
        "garbage line\n"
        "35 1 8:1 / /mnt/a\\134b rw - xfs /dev/sda1\n";
    const auto mounts = ParseBlockMounts(info);
    ASSERT_EQ(mounts.size(), 4u);
    EXPECT_EQ(mounts[0].mountPoint, "/");
    EXPECT_EQ(mounts[0].device, "/dev/vda");
    EXPECT_EQ(mounts[1].mountPoint, "/media/my disk");
    EXPECT_EQ(mounts[1].fsType, "ext4");
    // A later mount over the same point wins.
    EXPECT_EQ(mounts[2].mountPoint, "/media/cd");
    EXPECT_EQ(mounts[2].device, "/dev/sdc1");
    EXPECT_EQ(mounts[3].mountPoint, "/mnt/a\\b");
}

TEST(MountTable, RootIsListedEvenFromAnOverlayOrAnEmptyTable)
{
    auto mounts = ParseBlockMounts("");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].mountPoint, "/");
    mounts = ParseBlockMounts("1 0 0:30 / / rw - overlay overlay rw\n");
    ASSERT_EQ(mounts.size(), 1u);
    EXPECT_EQ(mounts[0].fsType, "overlay");
    const auto live = ReadBlockMounts();
    ASSERT_FALSE(live.empty());
    EXPECT_EQ(live[0].mountPoint, "/");
    EXPECT_TRUE(IsVolumeReady("/"));
    EXPECT_FALSE(IsVolumeReady("/no/such/mount/point"));
    EXPECT_FALSE(IsVolumeReady(""));
}

} // namespace
} // namespace tallyrun
