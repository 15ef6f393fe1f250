// Reads the product name, version and the other strings of the version block that the build
// links into the program's own executable.
#pragma once

#include <stdexcept>
#include <string>

namespace tallyrun {

// Keys by number: 0 Comments, 1 CompanyName, 2 FileDescription, 3 FileVersion,
// 4 InternalName, 5 LegalCopyright, 6 LegalTrademarks, 7 OriginalFilename, 8 PrivateBuild,
// 9 ProductName, 10 ProductVersion, 11 SpecialBuild.
enum TVersionKey
{
    vkComments,
    vkCompanyName,
    vkFileDescription,
    vkFileVersion,
    vkInternalName,
    vkLegalCopyright,
    vkLegalTrademarks,
    vkOriginalFilename,
    vkPrivateBuild,
    vkProductName,
    vkProductVersion,
    vkSpecialBuild
};

// Raised with "情報の取得に失敗しました" when the block has no translation table.
class EVersionInfoError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The value of key `key` in the program's own version block; empty when there is no block
// or the key has no value.
std::string GetVersionString(int key);

} // namespace tallyrun
