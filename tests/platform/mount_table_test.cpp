#include "platform/mount_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tallyrun::test {

using namespace platform;

namespace {

TEST(MountTable, BlockMountsOfWholeFileSystemsWithRootFirst)
{
    const std::string info = "21 26 0:20 / /proc rw,relatime - proc proc rw\n"
                             "30 1 8:17 / /media/my\\040disk rw shared:5 - ext4 /dev/sdb1 rw\n"
                             "26 1 254:0 / / rw,relatime - ext4 /dev/vda rw\n"
                             "31 1 8:18 /sub /srv/bind rw - ext4 /dev/sdb2 rw\n"
                             "32 1 0:40 / /run/user tmpfs rw - tmpfs tmpfs rw\n"
                             "33 1 11:0 / /media/cd ro - iso9660 /dev/sr0 ro\n"
                             "34 1 8:33 / /media/cd ro - vfat /dev/sdc1 rw\n"
                             "garbage line\n"
                             "35 1 8:1 / /mnt/a\\134b rw - xfs /dev/sda1 rw\n";
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

std::string RecordedTable(const std::string& name)
{
    std::ifstream in(std::string(TALLYRUN_MOUNTINFO_DIR) + "/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Tables recorded on a desktop with many snap packages and on a btrfs system with ZFS pools.
TEST(MountTable, RecordedTablesListDiskVolumesOnly)
{
    const struct
    {
        const char* file;
        std::vector<std::string> mountPoints;
        std::string rootType;
    } cases[] = {
        // Snaps and other read-only loop images, fuse helpers and network shares are no
        // drives; a writable loop image and an optical disc are.
        {"mountinfo_snaps",
         {"/", "/boot/efi", "/media/alex/USB STICK", "/mnt/disk-image", "/media/alex/Ubuntu 22.04"},
         "ext4"},
        // btrfs subvolumes and ZFS datasets are drives; a bind mount of a folder inside a
        // subvolume, containers' overlays and tmpfs are not.
        {"mountinfo_btrfs_zfs",
         {"/", "/home", "/boot", "/boot/efi", "/var/log", "/tank", "/tank/media", "/data"},
         "btrfs"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string table = RecordedTable(c.file);
        ASSERT_FALSE(table.empty());
        const auto mounts = ParseBlockMounts(table);
        std::vector<std::string> points;
        for (const auto& m : mounts)
            points.push_back(m.mountPoint);
        EXPECT_EQ(points, c.mountPoints);
        EXPECT_EQ(mounts[0].fsType, c.rootType);
    }
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
} // namespace tallyrun::test
