#include "platform/entry_info.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace tallyrun::platform {

namespace {

TEntryType TypeFromMode(mode_t mode)
{
    if (S_ISREG(mode))
        return TEntryType::etFile;
    if (S_ISDIR(mode))
        return TEntryType::etDirectory;
    if (S_ISLNK(mode))
        return TEntryType::etLink;
    return TEntryType::etSpecial;
}

} // namespace

std::uint32_t AttributesOf(std::string_view name, TEntryType type, bool ownerMayWrite)
{
    std::uint32_t attributes = ownerMayWrite ? 0 : faReadOnly;
    if (!name.empty() && name.front() == '.')
        attributes |= faHidden;
    switch (type) {
    case TEntryType::etDirectory:
        attributes |= faDirectory;
        break;
    case TEntryType::etFile:
    case TEntryType::etLink:
        attributes |= faArchive;
        break;
    case TEntryType::etSpecial:
        attributes |= faSystem;
        break;
    case TEntryType::etUnknown:
        break;
    }
    return attributes;
}

std::optional<TEntryInfo> StatEntry(int dirFd, const char* name)
{
    struct stat st
    {
    };
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    TEntryInfo info;
    info.type = TypeFromMode(st.st_mode);
    info.ownerMayWrite = (st.st_mode & S_IWUSR) != 0;
    info.size = info.type == TEntryType::etDirectory ? 0 : static_cast<std::uint64_t>(st.st_size);
    info.lastWriteTime = static_cast<std::int64_t>(st.st_mtim.tv_sec);
    return info;
}

std::uint64_t FileSizeAt(int dirFd, const char* name)
{
    struct stat st
    {
    };
    if (::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || S_ISDIR(st.st_mode))
        return 0;
    return static_cast<std::uint64_t>(st.st_size);
}

} // namespace tallyrun::platform
