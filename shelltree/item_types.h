// The kinds of namespace items, the special folders and the attribute table that the item
// records and the tree use.
#pragma once

#include <cstdint>
#include <set>

namespace tallyrun {

enum TShItemIDType
{
    itUnknown,
    itDeskTop,
    itMyComputer,
    itRootDrive,
    itFolder,
    itFile,
    itBitBucket,
    itNetWork,
    itVirtual,
    itInterNet,
    itControls,
};
// The virtual kinds, itBitBucket..itControls.
using TShVirtuaItem = TShItemIDType;
using TShVirtuaItems = std::set<TShVirtuaItem>;

// Attribute flags of namespace items.
inline constexpr std::uint32_t SFGAO_CANCOPY = 0x1;
inline constexpr std::uint32_t SFGAO_CANMOVE = 0x2;
inline constexpr std::uint32_t SFGAO_CANLINK = 0x4;
inline constexpr std::uint32_t SFGAO_CANRENAME = 0x10;
inline constexpr std::uint32_t SFGAO_CANDELETE = 0x20;
inline constexpr std::uint32_t SFGAO_HASPROPSHEET = 0x40;
inline constexpr std::uint32_t SFGAO_DROPTARGET = 0x100;
inline constexpr std::uint32_t SFGAO_CAPABILITYMASK = 0x177;
inline constexpr std::uint32_t SFGAO_LINK = 0x10000;
inline constexpr std::uint32_t SFGAO_SHARE = 0x20000;
inline constexpr std::uint32_t SFGAO_READONLY = 0x40000;
inline constexpr std::uint32_t SFGAO_HIDDEN = 0x80000;
inline constexpr std::uint32_t SFGAO_DISPLAYATTRMASK = 0xF0000;
inline constexpr std::uint32_t SFGAO_NONENUMERATED = 0x100000;
inline constexpr std::uint32_t SFGAO_NEWCONTENT = 0x200000;
inline constexpr std::uint32_t SFGAO_VALIDATE = 0x1000000;
inline constexpr std::uint32_t SFGAO_REMOVABLE = 0x2000000;
inline constexpr std::uint32_t SFGAO_COMPRESSED = 0x4000000;
inline constexpr std::uint32_t SFGAO_BROWSABLE = 0x8000000;
inline constexpr std::uint32_t SFGAO_FILESYSANCESTOR = 0x10000000;
inline constexpr std::uint32_t SFGAO_FOLDER = 0x20000000;
inline constexpr std::uint32_t SFGAO_FILESYSTEM = 0x40000000;
inline constexpr std::uint32_t SFGAO_HASSUBFOLDER = 0x80000000;
inline constexpr std::uint32_t SFGAO_CONTENTSMASK = 0x80000000;

// Indexes into ShAttribute, the table HasAttribute reads (taken modulo 128).
enum TShAttributeIndex
{
    saCanCopy,
    saCanMove,
    saCanLink,
    saCanRename,
    saCanDelete,
    saHasPropSheet,
    saDropTarget,
    saCapabilityMask,
    saLink,
    saShare,
    saReadOnly,
    saGhosted,
    saHidden,
    saDisplayAttrMask,
    saFileSysAncestor,
    saFolder,
    saFileSystem,
    saHasSubfolder,
    saContentsMask,
    saValidate,
    saRemovable,
    saCompressed,
    saBrowsable,
    saNonEnumerated,
    saNewContent,
};
constexpr std::uint32_t ShAttribute[] = {
    SFGAO_CANCOPY,    SFGAO_CANMOVE,         SFGAO_CANLINK,         SFGAO_CANRENAME,
    SFGAO_CANDELETE,  SFGAO_HASPROPSHEET,    SFGAO_DROPTARGET,      SFGAO_CAPABILITYMASK,
    SFGAO_LINK,       SFGAO_SHARE,           SFGAO_READONLY,        SFGAO_HIDDEN,
    SFGAO_HIDDEN,     SFGAO_DISPLAYATTRMASK, SFGAO_FILESYSANCESTOR, SFGAO_FOLDER,
    SFGAO_FILESYSTEM, SFGAO_HASSUBFOLDER,    SFGAO_CONTENTSMASK,    SFGAO_VALIDATE,
    SFGAO_REMOVABLE,  SFGAO_COMPRESSED,      SFGAO_BROWSABLE,       SFGAO_NONENUMERATED,
    SFGAO_NEWCONTENT,
};

// Enumeration flags of folder objects.
inline constexpr std::uint32_t SHCONTF_FOLDERS = 0x20;
inline constexpr std::uint32_t SHCONTF_NONFOLDERS = 0x40;
inline constexpr std::uint32_t SHCONTF_INCLUDEHIDDEN = 0x80;

enum TShSpecialFolderID
{
    sfidDeskTop,
    sfidInterNet,
    sfidPrograms,
    sfidControls,
    sfidPrinters,
    sfidPersonal,
    sfidFavorites,
    sfidStartUp,
    sfidRecent,
    sfidSendTo,
    sfidBitBucket,
    sfidStartMenu,
    sfidDeskTopFolder,
    sfidDrives,
    sfidNetWork,
    sfidNetHood,
    sfidFonts,
    sfidTemplates,
    sfidCommonStartMenu,
    sfidCommonPrograms,
    sfidCommonStartUp,
    sfidCommonDeskTopFolder,
    sfidAppData,
    sfidPrintHood,
    sfidAltStartUp,
    sfidCommonAltStartUp,
    sfidCommonFavorites,
    sfidInterNetCache,
    sfidCookies,
    sfidHistory,
};
// The special-folder number each TShSpecialFolderID stands for.
constexpr std::uint8_t SpecialFolderNumber[] = {
    0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B, 0x10, 0x11, 0x12,
    0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1D, 0x1E, 0x1F, 0x20, 0x21, 0x22,
};

} // namespace tallyrun
