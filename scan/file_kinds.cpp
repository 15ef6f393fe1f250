#include "platform/entry_info.h"
#include "scan/file_listing.h"

namespace tallyrun {

bool MatchesFileKinds(TFileKinds kinds, std::uint32_t attributes)
{
    using namespace platform;
    if (attributes & (faVolumeLabel | faDirectory))
        return false;
    return ((kinds & fkNormal) && attributes == 0) ||
           ((kinds & fkReadOnly) && (attributes & faReadOnly)) ||
           ((kinds & fkHidden) && (attributes & faHidden)) ||
           ((kinds & fkSystem) && (attributes & faSystem)) ||
           ((kinds & fkArchive) && (attributes & faArchive));
}

} // namespace tallyrun
