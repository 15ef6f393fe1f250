#include "scan/run_folder.h"

#include "platform/find_file.h"
#include "scan/file_listing.h"
#include "scan/folder_total.h"
#include "scan/string_helpers.h"

namespace tallyrun {

TRunFolder::TRunFolder(const std::string& path, std::vector<std::string>& subfolders)
{
    const std::string folder = platform::SplitSearchMask(path).folder;
    handle_ = platform::OpenDirectory(folder.empty() ? "." : folder);
    const std::size_t first = subfolders.size();
    ListSubfoldersIn(platform::DuplicateHandle(handle_.Fd()), folder, subfolders);
    std::vector<std::string> ahead;
    ahead.reserve(subfolders.size() - first);
    for (std::size_t i = first; i < subfolders.size(); ++i)
        ahead.push_back(WithTrailingSeparator(subfolders[i]));
    ahead_ = std::make_unique<TListingAhead>(handle_.Fd(), std::move(ahead));
}

double TRunFolder::SubfolderTotal(const std::string& subfolder)
{
    return FolderTotalListedAhead(*ahead_, handle_.Fd(), subfolder);
}

} // namespace tallyrun
