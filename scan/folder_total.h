// Folder totals: adds up the sizes of a folder's own files, or of its whole tree, while it
// advances the attached progress bar, logs one line per file and obeys the stop request.
#pragma once

#include <string>

namespace tallyrun {

class TScanProgressBar;
class TScanLog;
class TListingAhead;

// Remembers the bar, shows it and sets min 0, max 1, position 0, in that order.
void AttachProgressBar(TScanProgressBar* bar);
// Hides the remembered bar and forgets it.
void DetachProgressBar();
void AttachLog(TScanLog* log);
void DetachLog();
void SetScanStop(bool stop);

enum TTotalDepth
{
    tdFolderOnly,
    tdWholeTree
};

// Total size in bytes of the files of `path` (tdFolderOnly) or of its whole tree
// (tdWholeTree). A progress bar and a log must be attached.
double FolderTotal(const std::string& path, TTotalDepth depth);
// True when the last FolderTotal or FolderTotalAt gave up its listing because the stop request
// came while it listed (it then logged nothing and gave 0).
bool LastListingAbandoned();
// The same for the subfolder of the open folder `parentFd` named by the last component of
// `path` (the path that is logged): it is opened relative to that handle and never through a
// symbolic link, so a subfolder replaced by a link is not walked at the link's target.
double FolderTotalAt(int parentFd, const std::string& path, TTotalDepth depth);
// FolderTotalAt(parentFd, path, tdWholeTree) with the listing that `ahead` made of the folder,
// or is making (waiting for it while events run); the same results, logs and stop rule.
// `path` must be the next folder in `ahead`'s line, else it is listed here, as FolderTotalAt
// does.
double FolderTotalListedAhead(TListingAhead& ahead, int parentFd, const std::string& path);

} // namespace tallyrun
