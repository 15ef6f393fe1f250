#include "tools/version_block_writer.h"

#include <functional>
#include <sstream>
#include <stdexcept>

namespace tallyrun {

namespace {

constexpr std::uint32_t kFixedInfoSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedInfoVersion = 0x00010000;
constexpr std::uint32_t kFileFlagsMask = 0x3F;
constexpr std::uint32_t kFileTypeApp = 1;
constexpr std::uint32_t kJapaneseShiftJis = 0x0411 | (0x03A4u << 16);

// A node's wType: whether its value is text or binary data.
enum class TValueType : std::uint16_t
{
    Binary = 0,
    Text = 1
};

// UTF-8 to UTF-16; a byte that starts no valid sequence becomes U+FFFD.
std::u16string ToUtf16(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const int extra = byte < 0x80         ? 0
                          : (byte >> 5) == 6  ? 1
                          : (byte >> 4) == 14 ? 2
                          : (byte >> 3) == 30 ? 3
                                              : -1;
        char32_t c = extra == 0   ? byte
                     : extra == 1 ? byte & 0x1F
                     : extra == 2 ? byte & 0x0F
                                  : byte & 0x07;
        bool valid = extra >= 0 && i + static_cast<std::size_t>(extra) < text.size();
        for (int k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        if (!valid || c > 0x10FFFF) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        i += static_cast<std::size_t>(extra) + 1;
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
    }
    return out;
}

class TBlockWriter
{
public:
    void Put16(std::uint32_t value)
    {
        bytes_.push_back(static_cast<std::uint8_t>(value));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void Put32(std::uint32_t value)
    {
        Put16(value & 0xFFFF);
        Put16(value >> 16);
    }
    void PutText(const std::u16string& text)
    {
        for (char16_t c : text)
            Put16(c);
        Put16(0);
    }
    void Align() { bytes_.resize((bytes_.size() + 3) & ~std::size_t{3}, 0); }

    // One node: header, key, padding, the value written by `value`, then the children written
    // by `children`; wLength is filled in at the end.
    void Node(const std::string& key, std::uint16_t valueLength, TValueType type,
              const std::function<void()>& value, const std::function<void()>& children = {})
    {
        Align();
        const std::size_t start = bytes_.size();
        Put16(0);
        Put16(valueLength);
        Put16(static_cast<std::uint16_t>(type));
        PutText(ToUtf16(key));
        Align();
        if (value)
            value();
        if (children)
            children();
        const std::size_t length = bytes_.size() - start;
        if (length > 0xFFFF)
            throw std::length_error("version block node too long: " + key);
        bytes_[start] = static_cast<std::uint8_t>(length);
        bytes_[start + 1] = static_cast<std::uint8_t>(length >> 8);
    }

    std::vector<std::uint8_t> Take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

void WriteFixedInfo(TBlockWriter& out, const TVersionBlockContents& contents)
{
    const auto& file = contents.fileVersion;
    const auto& product = contents.productVersion;
    out.Put32(kFixedInfoSignature);
    out.Put32(kFixedInfoVersion);
    out.Put32(std::uint32_t{file[0]} << 16 | file[1]);
    out.Put32(std::uint32_t{file[2]} << 16 | file[3]);
    out.Put32(std::uint32_t{product[0]} << 16 | product[1]);
    out.Put32(std::uint32_t{product[2]} << 16 | product[3]);
    out.Put32(kFileFlagsMask);
    out.Put32(0); // flags: a release build
    out.Put32(0); // operating system: none of the listed ones
    out.Put32(kFileTypeApp);
    out.Put32(0); // subtype
    out.Put32(0); // date, high half
    out.Put32(0); // date, low half
}

void WriteStringTable(TBlockWriter& out, const TVersionStringTable& table)
{
    out.Node(table.name, 0, TValueType::Text, {}, [&] {
        for (const auto& [key, value] : table.strings) {
            const std::u16string text = ToUtf16(value);
            // The value length counts characters with the closing NUL.
            out.Node(key, static_cast<std::uint16_t>(text.size() + 1), TValueType::Text,
                     [&] { out.PutText(text); });
        }
    });
}

std::array<std::uint16_t, 4> ParseVersion(const std::string& version)
{
    std::array<std::uint16_t, 4> parts{};
    std::istringstream in(version);
    std::string part;
    for (std::size_t i = 0; i < parts.size() && std::getline(in, part, '.'); ++i)
        parts[i] = static_cast<std::uint16_t>(std::stoul(part));
    return parts;
}

} // namespace

std::vector<std::uint8_t> WriteVersionBlock(const TVersionBlockContents& contents)
{
    TBlockWriter out;
    constexpr std::uint16_t kFixedInfoSize = 52;
    out.Node(
        "VS_VERSION_INFO", kFixedInfoSize, TValueType::Binary,
        [&] { WriteFixedInfo(out, contents); },
        [&] {
            out.Node("StringFileInfo", 0, TValueType::Text, {}, [&] {
                for (const auto& table : contents.stringTables)
                    WriteStringTable(out, table);
            });
            if (!contents.translations)
                return;
            out.Node("VarFileInfo", 0, TValueType::Text, {}, [&] {
                const auto& entries = *contents.translations;
                out.Node("Translation", static_cast<std::uint16_t>(entries.size() * 4),
                         TValueType::Binary, [&] {
                             for (std::uint32_t entry : entries)
                                 out.Put32(entry);
                         });
            });
        });
    return out.Take();
}

TVersionBlockContents ProgramVersionSpec(const std::string& productName, const std::string& version)
{
    TVersionBlockContents contents;
    contents.fileVersion = ParseVersion(version);
    contents.productVersion = contents.fileVersion;
    const auto& v = contents.fileVersion;
    const std::string fileVersion = std::to_string(v[0]) + "." + std::to_string(v[1]) + "." +
                                    std::to_string(v[2]) + "." + std::to_string(v[3]);
    const std::string productVersion =
        std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]);
    contents.stringTables.push_back(
        {"041103A4",
         {{"Comments", ""},
          {"CompanyName", ""},
          {"FileDescription", ""},
          {"FileVersion", fileVersion},
          {"InternalName", ""},
          {"LegalCopyright", "Copyright (C) the " + productName + " project"},
          {"LegalTrademarks", ""},
          {"OriginalFilename", productName},
          {"ProductName", productName},
          {"ProductVersion", productVersion}}});
    contents.translations = std::vector<std::uint32_t>{kJapaneseShiftJis};
    return contents;
}

} // namespace tallyrun
