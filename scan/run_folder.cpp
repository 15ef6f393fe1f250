#include "scan/run_folder.h"

#include "platform/find_file.h"
#include "scan/file_listing.h"
#include "scan/folder_total.h"

namespace tallyrun {

TRunFolder::TRunFolder(const std::string& path, std::vector<std::string>& subfolders)
{
    const std::string folder = platform::SplitSearchMask(path).folder;
    handle_ = platform::OpenDirectory(folder.empty() ? "." : folder);
    ListSubfoldersIn(platform::DuplicateHandle(handle_.Fd()), folder, subfolders);
}

double TRunFolder::SubfolderTotal(const std::string& subfolder) const
{
    return FolderTotalAt(handle_.Fd(), subfolder, tdWholeTree);
}

} // namespace tallyrun
