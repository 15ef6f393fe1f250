// Dropping files and folders into a folder: copy, move or symbolic link, one item at a time,
// never replacing an existing name and never putting a folder into itself.
#pragma once

#include <string>
#include <vector>

namespace tallyrun::platform {

enum class TDropEffect
{
    deCopy,
    deMove,
    deLink
};

enum class TDropItemResult
{
    driDone,
    driNameExists, // the target folder already has an entry of that name; both kept as they were
    driIntoItself, // the target is the item itself or lies inside it
    driNoSpace,    // the disk is full (or the file size limit reached); nothing left behind
    driSourceKept, // moved across file systems: the copy is whole but the source could not be
                   // removed
    driFailed,     // any other failure; `error` holds the errno
};

struct TDropItemOutcome
{
    std::string source; // the raw path as given
    TDropItemResult result = TDropItemResult::driFailed;
    int error = 0; // errno of the failure, 0 when done
};

// Drops every source (an absolute raw path) into `targetFolder`, under its own name. A move
// within one file system is a rename that refuses an existing name; across file systems the
// item is copied whole first and the source removed only after the copy is complete. A failed
// copy removes what it made, so the source and the target folder stay as they were.
std::vector<TDropItemOutcome> DropEntries(const std::vector<std::string>& sources,
                                          const std::string& targetFolder, TDropEffect effect);

} // namespace tallyrun::platform
