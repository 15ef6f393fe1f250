// Writes version-information blocks in the layout that app/version_block.h reads. The build
// uses it to make the block linked into the program; tests use it to make blocks of any shape.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tallyrun {

struct TVersionStringTable
{
    std::string name; // language and code page as 8 hex digits, e.g. "041103A4"
    std::vector<std::pair<std::string, std::string>> strings; // key, value (UTF-8)
};

struct TVersionBlockContents
{
    std::array<std::uint16_t, 4> fileVersion{};
    std::array<std::uint16_t, 4> productVersion{};
    std::vector<TVersionStringTable> stringTables;
    // Entries of the translation table, language in the low 16 bits and code page in the
    // high 16 bits. Nothing: the block has no "VarFileInfo" at all.
    std::optional<std::vector<std::uint32_t>> translations;
};

// The block's bytes. Raises std::length_error when a node would exceed 65535 bytes.
std::vector<std::uint8_t> WriteVersionBlock(const TVersionBlockContents& contents);

// The block the tallyrun executable carries: `version` is "major.minor.patch.build", the
// product version its first three numbers; one string table "041103A4" (Japanese, code page
// 932) and a translation table holding that one pair.
TVersionBlockContents ProgramVersionSpec(const std::string& productName,
                                         const std::string& version);

} // namespace tallyrun
