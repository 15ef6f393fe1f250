// The mounted block-device file systems that the namespace shows as drives under Computer,
// read from the kernel's mount table, with their volume labels and device kinds.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tallyrun::platform {

struct TMountEntry
{
    std::string mountPoint; // raw bytes, no trailing separator except for "/"
    std::string device;     // e.g. /dev/sda1
    std::string fsType;
    std::string label;      // volume label, empty when the file system has none
    bool removable = false; // the device is removable media (USB stick, card, optical disc)
    bool optical = false;   // an optical drive (CD, DVD)
};

// Parses the text of /proc/self/mountinfo with libmount: one entry per mount point (a later
// mount over the same point wins) of a whole disk volume: a file system on a device, a btrfs
// subvolume or a ZFS dataset. Bind mounts of a subfolder, pseudo and network file systems and
// read-only loop images (snap packages) are left out. "/" is always the first entry, whatever
// it is mounted from.
std::vector<TMountEntry> ParseBlockMounts(std::string_view mountinfo);

// The current block mounts with labels and device kinds filled in; empty when the mount
// table cannot be read (then "/" alone is returned).
std::vector<TMountEntry> ReadBlockMounts();

// True when the file system at the path answers a volume query (statvfs).
bool IsVolumeReady(const std::string& path);

} // namespace tallyrun::platform
