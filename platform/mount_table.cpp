#include "platform/mount_table.h"

#include <dirent.h>
#include <sys/statvfs.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tallyrun {
namespace {

bool IsOctal(char c) { return c >= '0' && c <= '7'; }

// mountinfo escapes space, tab, newline and backslash as \ooo.
std::string UnescapeOctal(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && IsOctal(s[i + 1]) && IsOctal(s[i + 2]) &&
            IsOctal(s[i + 3])) {
            out += static_cast<char>(((s[i + 1] - '0') * 64 + (s[i + 2] - '0') * 8 +
                                      (s[i + 3] - '0')) & 0xFF);
            i += 3;
            continue;
        }
        out += s[i];
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    size_t pos = 0;
    while (pos < line.size()) {
        const size_t end = line.find(' ', pos);
        const size_t stop = end == std::string_view::npos ? line.size() : end;
        if (stop > pos)
            fields.push_back(line.substr(pos, stop - pos));
        pos = stop + 1;
    }
    return fields;
}

// A mount of a whole file system that lives on a block device (major number not 0).
bool IsBlockMount(std::string_view majorMinor, std::string_view root, std::string_view source)
{
    return root == "/" && source.substr(0, 5) == "/dev/" && !majorMinor.starts_with("0:");
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

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// udev names the links in /dev/disk/by-label with \xNN escapes.
std::string UnescapeUdev(std::string_view s)
{
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size() && s[i + 1] == 'x' && HexValue(s[i + 2]) >= 0 &&
            HexValue(s[i + 3]) >= 0) {
            out += static_cast<char>(HexValue(s[i + 2]) * 16 + HexValue(s[i + 3]));
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
    size_t pos = 0;
    while (pos < mountinfo.size()) {
        size_t end = mountinfo.find('\n', pos);
        if (end == std::string_view::npos)
            end = mountinfo.size();
        const auto fields = SplitFields(mountinfo.substr(pos, end - pos));
        pos = end + 1;
        // id parent major:minor root mount-point options [optional...] - type source ...
        size_t dash = 6;
        while (dash < fields.size() && fields[dash] != "-")
            ++dash;
        if (fields.size() < 6 || dash + 2 >= fields.size())
            continue;
        TMountEntry entry;
        entry.mountPoint = UnescapeOctal(fields[4]);
        entry.fsType = UnescapeOctal(fields[dash + 1]);
        entry.device = UnescapeOctal(fields[dash + 2]);
        if (entry.mountPoint == "/") {
            root.device = entry.device;
            root.fsType = entry.fsType;
            continue;
        }
        if (!IsBlockMount(fields[2], UnescapeOctal(fields[3]), entry.device) ||
            entry.mountPoint.empty() || entry.mountPoint[0] != '/' ||
            entry.mountPoint.find('\0') != std::string::npos)
            continue;
        std::erase_if(mounts,
                      [&](const TMountEntry& m) { return m.mountPoint == entry.mountPoint; });
        mounts.push_back(std::move(entry));
    }
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

} // namespace tallyrun
