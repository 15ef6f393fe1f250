#include "app/version_block.h"

#include "app/version_info.h"
#include "platform/elf_section.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <array>
#include <cstdio>

namespace tallyrun {

namespace {

// Key names by number, as GetVersionString addresses them.
constexpr std::array<std::string_view, 12> kKeyNames = {
    "Comments",     "CompanyName",    "FileDescription", "FileVersion",
    "InternalName", "LegalCopyright", "LegalTrademarks", "OriginalFilename",
    "PrivateBuild", "ProductName",    "ProductVersion",  "SpecialBuild"};

constexpr std::size_t kHeaderSize = 6; // wLength, wValueLength, wType
constexpr std::size_t kMaxBlockSize = 1u << 20;

std::size_t Align4(std::size_t offset)
{
    return (offset + 3) & ~std::size_t{3};
}

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

// One node, located inside the block; every offset here lies within [start, end].
struct TNode
{
    std::size_t end = 0;
    std::size_t keyStart = 0;
    std::size_t keyChars = 0;
    std::size_t valueStart = 0;
    std::size_t valueEnd = 0;
    std::size_t childrenStart = 0;
    std::uint16_t valueLength = 0;
    bool text = false;
};

std::optional<TNode> ParseNode(std::span<const std::uint8_t> block, std::size_t start,
                               std::size_t limit)
{
    if (limit > block.size() || start > limit || limit - start < kHeaderSize)
        return std::nullopt;
    const std::size_t length = Read16(block, start);
    if (length < kHeaderSize || length > limit - start)
        return std::nullopt;
    TNode node;
    node.end = start + length;
    node.valueLength = Read16(block, start + 2);
    node.text = Read16(block, start + 4) == 1;
    node.keyStart = start + kHeaderSize;
    std::size_t at = node.keyStart;
    while (true) {
        if (node.end - at < 2)
            return std::nullopt; // the key has no NUL inside the node
        if (Read16(block, at) == 0)
            break;
        at += 2;
        ++node.keyChars;
    }
    // Padding and value may be cut short by the node's end; what lies outside is not read.
    const std::size_t valueBytes = node.text ? std::size_t{node.valueLength} * 2 : node.valueLength;
    node.valueStart = std::min(Align4(at + 2), node.end);
    node.valueEnd = node.valueStart + std::min(valueBytes, node.end - node.valueStart);
    node.childrenStart = std::min(Align4(node.valueStart + valueBytes), node.end);
    return node;
}

bool KeyEquals(std::span<const std::uint8_t> block, const TNode& node, std::string_view name)
{
    if (node.keyChars != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const std::uint16_t c = Read16(block, node.keyStart + 2 * i);
        const auto lower = [](std::uint32_t ch) { return ch >= 'A' && ch <= 'Z' ? ch + 32 : ch; };
        if (lower(c) != lower(static_cast<unsigned char>(name[i])))
            return false;
    }
    return true;
}

std::optional<TNode> FindChild(std::span<const std::uint8_t> block, const TNode& parent,
                               std::string_view name)
{
    std::size_t at = parent.childrenStart;
    while (at < parent.end) {
        const auto child = ParseNode(block, at, parent.end);
        if (!child)
            return std::nullopt;
        if (KeyEquals(block, *child, name))
            return child;
        at = Align4(child->end); // each child is at least a header long, so this advances
    }
    return std::nullopt;
}

} // namespace

bool TVersionBlock::IsValid() const
{
    return ParseNode(block_, 0, block_.size()).has_value();
}

std::optional<TVersionValue> TVersionBlock::QueryValue(std::string_view path) const
{
    auto node = ParseNode(block_, 0, block_.size());
    while (node && !path.empty()) {
        const std::size_t separator = path.find('\\');
        const std::string_view name = path.substr(0, separator);
        path =
            separator == std::string_view::npos ? std::string_view{} : path.substr(separator + 1);
        if (!name.empty())
            node = FindChild(block_, *node, name);
    }
    if (!node)
        return std::nullopt;
    return TVersionValue{block_.subspan(node->valueStart, node->valueEnd - node->valueStart),
                         node->valueLength, node->text};
}

std::string VersionText(const TVersionValue& value)
{
    std::u16string text;
    for (std::size_t at = 0; at + 1 < value.bytes.size(); at += 2) {
        const char16_t c = Read16(value.bytes, at);
        if (c == 0)
            break;
        text.push_back(c);
    }
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())).toStdString();
}

std::string VersionStringFromBlock(std::span<const std::uint8_t> block, int key)
{
    const TVersionBlock version(block);
    if (key < 0 || key >= static_cast<int>(kKeyNames.size()) || !version.IsValid())
        return {};
    // A table too short to hold one language and code-page pair counts as missing.
    const auto translation = version.QueryValue("\\VarFileInfo\\Translation");
    if (!translation || translation->length == 0 || translation->bytes.size() < 4)
        throw EVersionInfoError(
            QCoreApplication::translate("EVersionInfoError", "情報の取得に失敗しました")
                .toStdString());
    const std::uint16_t language = Read16(translation->bytes, 0);
    const std::uint16_t codePage = Read16(translation->bytes, 2);
    char table[9];
    std::snprintf(table, sizeof table, "%04X%04X", unsigned{language}, unsigned{codePage});
    const std::string path =
        std::string("\\StringFileInfo\\") + table + "\\" + std::string(kKeyNames[key]);
    const auto value = version.QueryValue(path);
    if (!value || value->length == 0)
        return {};
    return VersionText(*value);
}

std::string GetVersionStringFromFile(const std::string& path, int key)
{
    const auto block = platform::ReadElfSection(path, kVersionSectionName, kMaxBlockSize);
    if (!block)
        return {};
    return VersionStringFromBlock(*block, key);
}

} // namespace tallyrun
