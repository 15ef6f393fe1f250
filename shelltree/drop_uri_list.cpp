#include "shelltree/drop_uri_list.h"

#include "base/hex_digit.h"
#include "shelltree/tree_text.h"

#include <optional>

namespace tallyrun {
namespace {

constexpr std::string_view kFileScheme = "file://";
constexpr std::string_view kLocalhost = "localhost";

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (c != prefix[i])
            return false;
    }
    return true;
}

// The decoded bytes of a URL's path part; none for a bad escape, a NUL or a control character.
// A query or fragment has no meaning for a local file and is refused rather than guessed at.
std::optional<std::string> DecodePath(std::string_view encoded)
{
    std::string path;
    path.reserve(encoded.size());
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(encoded[i]);
        if (c == '?' || c == '#')
            return std::nullopt;
        if (c == '%') {
            if (i + 2 >= encoded.size())
                return std::nullopt;
            const int high = HexDigitValue(encoded[i + 1]);
            const int low = HexDigitValue(encoded[i + 2]);
            if (high < 0 || low < 0)
                return std::nullopt;
            c = static_cast<unsigned char>(high * 16 + low);
            i += 2;
        }
        if (IsControl(c))
            return std::nullopt;
        path.push_back(static_cast<char>(c));
    }
    return path;
}

// The local path of one line, or an error text.
std::optional<std::string> PathOfLine(std::string_view line, std::string& error)
{
    if (!StartsWithNoCase(line, kFileScheme)) {
        error = TreeText(QT_TRANSLATE_NOOP(
            "TQorShTreeView", "ドロップされた項目にローカルファイルの URL でないものがあります。"));
        return std::nullopt;
    }
    std::string_view rest = line.substr(kFileScheme.size());
    const std::size_t slash = rest.find('/');
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() &&
        !(host.size() == kLocalhost.size() && StartsWithNoCase(host, kLocalhost))) {
        error = TreeText(QT_TRANSLATE_NOOP(
            "TQorShTreeView", "ドロップされた項目に別のホストのファイル URL があります。"));
        return std::nullopt;
    }
    if (slash == std::string_view::npos) {
        error = TreeText(QT_TRANSLATE_NOOP(
            "TQorShTreeView", "ドロップされた項目に絶対パスのないファイル URL があります。"));
        return std::nullopt;
    }
    auto path = DecodePath(rest.substr(slash));
    if (!path)
        error = TreeText(QT_TRANSLATE_NOOP("TQorShTreeView",
                                           "ドロップされた項目に、不正なエスケープ、制御文字または"
                                           "問い合わせ部分を含むファイル URL があります。"));
    return path;
}

} // namespace

TUriListResult ParseUriList(std::string_view payload)
{
    TUriListResult result;
    if (payload.size() > kUriListMaxBytes) {
        result.error = TreeText(
            QT_TRANSLATE_NOOP("TQorShTreeView", "ドロップされたファイルの一覧が大きすぎます。"));
        return result;
    }
    std::size_t pos = 0;
    while (pos < payload.size()) {
        std::size_t end = payload.find('\n', pos);
        if (end == std::string_view::npos)
            end = payload.size();
        std::string_view line = payload.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty() || line.front() == '#')
            continue;
        if (result.paths.size() == kUriListMaxEntries) {
            result.paths.clear();
            result.error = TreeText(QT_TRANSLATE_NOOP(
                "TQorShTreeView", "ドロップされたファイルの一覧の項目が多すぎます。"));
            return result;
        }
        auto path = PathOfLine(line, result.error);
        if (!path) {
            result.paths.clear();
            return result;
        }
        result.paths.push_back(std::move(*path));
    }
    if (result.paths.empty()) {
        result.error =
            TreeText(QT_TRANSLATE_NOOP("TQorShTreeView", "ドロップされたファイルの一覧が空です。"));
        return result;
    }
    result.ok = true;
    return result;
}

std::string FileUrlOfPath(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url(kFileScheme);
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_' || c == '~' ||
                           c == '/';
        if (plain) {
            url.push_back(ch);
        } else {
            url.push_back('%');
            url.push_back(kHex[c >> 4]);
            url.push_back(kHex[c & 0x0F]);
        }
    }
    return url;
}

} // namespace tallyrun
