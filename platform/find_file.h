// Find-first, find-next and find-close over a search mask: the folder part of the mask (up to and
// including its last "/") is opened, and each entry whose name matches the name pattern and
// that the attribute mask lets through is reported with its attribute word, 64-bit size in two
// halves and last-write time. A pattern without wildcards names one entry and is looked up
// directly rather than by reading the whole folder.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace tallyrun::platform {

struct TFindData
{
    std::string name;
    std::uint32_t attributes = 0;
    std::uint32_t sizeHigh = 0;
    std::uint32_t sizeLow = 0;
    std::int64_t lastWriteTime = 0; // seconds since 1970-01-01 UTC
};

struct TSearchMask
{
    std::string folder;  // up to and including the last "/"; empty for a bare name
    std::string pattern; // the rest
};
TSearchMask SplitSearchMask(std::string_view mask);

// "*" and "*.*" match every name, with or without a dot; other patterns use "*", "?" and
// "[...]" as the shell does.
bool MatchesNamePattern(std::string_view pattern, const char* name);

class TFindSearch;
struct TFindSearchDeleter
{
    void operator()(TFindSearch* search) const;
};
// An open search; null when the first call found nothing.
using TFindHandle = std::unique_ptr<TFindSearch, TFindSearchDeleter>;

class TDirHandle;

TFindHandle FindFirst(const std::string& mask, std::uint32_t attributeMask, TFindData& data);
// The same over a folder that is open already: `pattern` is the mask's name pattern.
TFindHandle FindFirstIn(TDirHandle dir, const std::string& pattern, std::uint32_t attributeMask,
                        TFindData& data);
bool FindNext(TFindHandle& handle, TFindData& data);
// Ends the search; a null handle is fine.
void FindClose(TFindHandle& handle);

} // namespace tallyrun::platform
