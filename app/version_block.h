// Reads a version-information block in the standard layout. The block is a tree of nodes;
// each node is
//   u16 wLength (whole node in bytes), u16 wValueLength, u16 wType (1 text, 0 binary),
//   UTF-16 key ending in NUL, padding to 32 bits, the value, padding to 32 bits, children,
// all little-endian and aligned to 32 bits from the block's start. The root ("VS_VERSION_INFO")
// holds the fixed file information; its children are "StringFileInfo" with one string table
// per language and code page, and "VarFileInfo" with the "Translation" table.
// Every read is bounds-checked: a truncated or garbled block finds nothing, never reads past
// its end.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace tallyrun {

// The ELF section of the tallyrun executable that carries its version block.
inline constexpr std::string_view kVersionSectionName = ".tallyrun_version";

struct TVersionValue
{
    std::span<const std::uint8_t> bytes; // the value's bytes that lie inside its node
    std::uint16_t length = 0;            // wValueLength: characters for text, bytes for binary
    bool text = false;
};

class TVersionBlock
{
public:
    // Refers to `block` without copying it; the bytes must outlive this object.
    explicit TVersionBlock(std::span<const std::uint8_t> block) : block_(block) {}

    // True when the root node is well formed.
    bool IsValid() const;
    // The value at `path`, e.g. "\StringFileInfo\041103A4\ProductVersion"; "\" is the root's
    // value (the fixed file information). Keys compare ignoring ASCII letter case. Nothing when
    // a node on the path is missing or malformed.
    std::optional<TVersionValue> QueryValue(std::string_view path) const;

private:
    std::span<const std::uint8_t> block_;
};

// A text value as UTF-8, up to its first NUL.
std::string VersionText(const TVersionValue& value);

// The value of version key `key` (0 "Comments" to 11 "SpecialBuild") of the first translation
// of `block`: empty when the block is malformed, the key number is out of range or the key
// has no value. Raises EVersionInfoError("情報の取得に失敗しました") when the block has no
// translation table.
std::string VersionStringFromBlock(std::span<const std::uint8_t> block, int key);

// The same for the version block linked into the executable at `path`; empty when that file
// carries no block.
std::string GetVersionStringFromFile(const std::string& path, int key);

} // namespace tallyrun
