#include "platform/find_file.h"

#include "platform/dir_handle.h"
#include "platform/dir_reader.h"
#include "platform/entry_info.h"

#include <fnmatch.h>

namespace tallyrun::platform {

class TFindSearch
{
public:
    TFindSearch(TDirHandle dir, std::string pattern, std::uint32_t attributeMask)
        : dir_(std::move(dir)), reader_(dir_.Fd()), pattern_(std::move(pattern)),
          attributeMask_(attributeMask)
    {
    }

    bool Next(TFindData& data)
    {
        TRawEntry entry;
        while (reader_.Next(entry)) {
            if (!MatchesNamePattern(pattern_, entry.name.data()))
                continue;
            if (Fill(dir_.Fd(), entry.name.data(), attributeMask_, data))
                return true;
        }
        return false;
    }

    // Fills `data` for `name` in `dirFd`; false when the entry is gone or the mask skips it.
    static bool Fill(int dirFd, const char* name, std::uint32_t attributeMask, TFindData& data)
    {
        const auto info = StatEntry(dirFd, name);
        if (!info)
            return false;
        const std::uint32_t attributes = AttributesOf(name, info->type, info->ownerMayWrite);
        if (SkippedByMask(attributes, attributeMask))
            return false;
        data.name = name;
        data.attributes = attributes;
        data.sizeHigh = static_cast<std::uint32_t>(info->size >> 32);
        data.sizeLow = static_cast<std::uint32_t>(info->size);
        data.lastWriteTime = info->lastWriteTime;
        return true;
    }

private:
    TDirHandle dir_;
    TDirReader reader_;
    std::string pattern_;
    std::uint32_t attributeMask_;
};

void TFindSearchDeleter::operator()(TFindSearch* search) const
{
    delete search;
}

TSearchMask SplitSearchMask(std::string_view mask)
{
    const std::size_t slash = mask.rfind('/');
    if (slash == std::string_view::npos)
        return {std::string(), std::string(mask)};
    return {std::string(mask.substr(0, slash + 1)), std::string(mask.substr(slash + 1))};
}

bool MatchesNamePattern(std::string_view pattern, const char* name)
{
    if (pattern == "*" || pattern == "*.*")
        return true;
    return ::fnmatch(std::string(pattern).c_str(), name, 0) == 0;
}

TFindHandle FindFirst(const std::string& mask, std::uint32_t attributeMask, TFindData& data)
{
    TSearchMask parts = SplitSearchMask(mask);
    if (parts.pattern.empty() || parts.pattern.find('\0') != std::string::npos)
        return nullptr;
    return FindFirstIn(OpenDirectory(parts.folder.empty() ? std::string(".") : parts.folder),
                       parts.pattern, attributeMask, data);
}

TFindHandle FindFirstIn(TDirHandle dir, const std::string& pattern, std::uint32_t attributeMask,
                        TFindData& data)
{
    if (!dir.IsOpen() || pattern.empty() || pattern.find('\0') != std::string::npos)
        return nullptr;
    if (pattern.find_first_of("*?[") == std::string::npos) {
        // One named entry: look it up; the handle then has nothing more to find.
        if (!TFindSearch::Fill(dir.Fd(), pattern.c_str(), attributeMask, data))
            return nullptr;
        return TFindHandle(new TFindSearch(TDirHandle(), std::string(), attributeMask));
    }
    TFindHandle search(new TFindSearch(std::move(dir), pattern, attributeMask));
    if (!search->Next(data))
        return nullptr;
    return search;
}

bool FindNext(TFindHandle& handle, TFindData& data)
{
    return handle && handle->Next(data);
}

void FindClose(TFindHandle& handle)
{
    handle.reset();
}

} // namespace tallyrun::platform
