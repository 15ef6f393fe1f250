// The folder an analysis run measures, held open from the listing of its subfolders to the end
// of the run. Its subfolders are listed from that handle and each is totalled relative to it,
// opened without following a link, so a subfolder replaced by a symbolic link after the listing
// is never walked at the link's target, outside the folder. The folder itself is opened by its
// path, links included, as the user chose it. The subfolders are listed ahead, in their order,
// while the files of the one before are logged (scan/listing_ahead.h).
#pragma once

#include "platform/dir_handle.h"
#include "scan/listing_ahead.h"

#include <memory>
#include <string>
#include <vector>

namespace tallyrun {

class TRunFolder
{
public:
    // Opens `path` and appends its subfolders to `subfolders`, as ListSubfolders does.
    TRunFolder(const std::string& path, std::vector<std::string>& subfolders);

    // The recursive FolderTotal of one of the subfolders listed; the run asks for them in their
    // order (any other is listed when it is asked for).
    double SubfolderTotal(const std::string& subfolder);

private:
    platform::TDirHandle handle_;
    std::unique_ptr<TListingAhead> ahead_; // before handle_ in destruction: it lists from it
};

} // namespace tallyrun
