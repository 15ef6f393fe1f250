#include "platform/mount_table.h"

#include "base/hex_digit.h"

#include <dirent.h>
#include <libmount.h>
#include <sys/statvfs.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tallyrun::platform {
namespace {

// Skips a malformed line of the table and goes on with the next.
int SkipBadLine(libmnt_table*, const char*, int)
{
    return 1;
}

std::string OptionValue(libmnt_fs* fs, const char* name)
{
    char* value = nullptr;
    size_t size = 0;
    if (mnt_fs_get_option(fs, name, &value, &size) != 0 || !value)
        return {};
    return std::string(value, size);
}

std::string_view Text(const char* text)
{
    return text ? std::string_view(text) : std::string_view();
}

std::string_view WithoutLeadingSlashes(std::string_view path)
{
    while (path.starts_with('/'))
        path.remove_prefix(1);
    return path;
}

// The mount shows a whole volume: the file system's root, or a btrfs subvolume's own root
// (a bind mount of a folder inside it has a deeper root than its subvolume).
bool IsWholeVolume(libmnt_fs* fs)
{
    const std::string_view root = Text(mnt_fs_get_root(fs));
    if (root.empty() || root == "/")
        return true;
    const std::string subvolume = OptionValue(fs, "subvol");
    return !subvolume.empty() && WithoutLeadingSlashes(root) == WithoutLeadingSlashes(subvolume);
}

// A disk volume: a regular file system (not pseudo, not network, not swap) read from a
// device node, or a ZFS dataset, whose source names its pool instead. A read-only loop
// image (a snap package, a mounted disc image) is a file, not a drive.
bool IsDiskVolume(libmnt_fs* fs)
{
    if (mnt_fs_is_pseudofs(fs) || mnt_fs_is_netfs(fs) || mnt_fs_is_swaparea(fs))
        return false;
    const std::string_view type = Text(mnt_fs_get_fstype(fs));
    if (type == "zfs")
        return true;
    const std::string_view source = Text(mnt_fs_get_srcpath(fs));
    if (!source.starts_with("/dev/"))
        return false;
    const bool readOnly =
        mnt_optstr_get_option(mnt_fs_get_vfs_options(fs), "ro", nullptr, nullptr) == 0;
    return !(readOnly && source.starts_with("/dev/loop"));
}

std::string ReadSmallFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string RealPath(const std::string& path)
{
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

// udev names the links in /dev/disk/by-label with \xNN escapes.
std::string UnescapeUdev(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && HexDigitValue(s[i + 2]) >= 0 &&
            HexDigitValue(s[i + 3]) >= 0) {
            out += static_cast<char>(HexDigitValue(s[i + 2]) * 16 + HexDigitValue(s[i + 3]));
            i += 3;
            continue;
        }
        out += s[i];
    }
    return out;
}

std::string LabelOf(const std::string& device)
{
    const std::string target = RealPath(device);
    const std::string folder = "/dev/disk/by-label/";
    DIR* dir = target.empty() ? nullptr : opendir(folder.c_str());
    if (!dir)
        return {};
    std::string label;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != ".." && RealPath(folder + name) == target) {
            label = UnescapeUdev(name);
            break;
        }
    }
    closedir(dir);
    return label;
}

// The kernel's folder of a block device; a partition's disk is the folder above it.
void FillDeviceKind(TMountEntry& entry)
{
    const std::string device = RealPath(entry.device);
    const size_t slash = device.rfind('/');
    if (device.empty() || slash == std::string::npos)
        return;
    const std::string name = device.substr(slash + 1);
    std::string sys = RealPath("/sys/class/block/" + name);
    if (sys.empty())
        return;
    if (!ReadSmallFile(sys + "/partition").empty())
        sys = sys.substr(0, sys.rfind('/'));
    entry.removable = ReadSmallFile(sys + "/removable").starts_with("1");
    entry.optical = name.starts_with("sr") || ReadSmallFile(sys + "/device/type").starts_with("5");
}

} // namespace

std::vector<TMountEntry> ParseBlockMounts(std::string_view mountinfo)
{
    std::vector<TMountEntry> mounts;
    TMountEntry root;
    root.mountPoint = "/";
    // libmount reads the table from a stream; the text is handed over as one in memory.
    std::string text(mountinfo);
    FILE* stream = text.empty() ? nullptr : fmemopen(text.data(), text.size(), "r");
    libmnt_table* table = stream ? mnt_new_table() : nullptr;
    libmnt_iter* iter = table ? mnt_new_iter(MNT_ITER_FORWARD) : nullptr;
    if (iter) {
        mnt_table_set_parser_errcb(table, SkipBadLine);
        mnt_table_parse_stream(table, stream, "mountinfo");
        libmnt_fs* fs = nullptr;
        while (mnt_table_next_fs(table, iter, &fs) == 0) {
            TMountEntry entry;
            entry.mountPoint = Text(mnt_fs_get_target(fs));
            entry.fsType = Text(mnt_fs_get_fstype(fs));
            entry.device = Text(mnt_fs_get_source(fs));
            if (entry.mountPoint == "/") {
                root.device = entry.device;
                root.fsType = entry.fsType;
                continue;
            }
            if (entry.mountPoint.empty() || entry.mountPoint[0] != '/' || !IsWholeVolume(fs) ||
                !IsDiskVolume(fs))
                continue;
            // A later mount over the same point hides the earlier one.
            std::erase_if(mounts,
                          [&](const TMountEntry& m) { return m.mountPoint == entry.mountPoint; });
            mounts.push_back(std::move(entry));
        }
    }
    mnt_free_iter(iter);
    mnt_unref_table(table);
    if (stream)
        fclose(stream);
    mounts.insert(mounts.begin(), root);
    return mounts;
}

std::vector<TMountEntry> ReadBlockMounts()
{
    auto mounts = ParseBlockMounts(ReadSmallFile("/proc/self/mountinfo"));
    for (auto& entry : mounts) {
        entry.label = LabelOf(entry.device);
        FillDeviceKind(entry);
    }
    return mounts;
}

bool IsVolumeReady(const std::string& path)
{
    struct statvfs info;
    return !path.empty() && statvfs(path.c_str(), &info) == 0;
}

} // namespace tallyrun::platform
