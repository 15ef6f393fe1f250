#include "shelltree/desktop_entry.h"

#include "shelltree/drop_uri_list.h"

namespace tallyrun {
namespace {

constexpr std::string_view kSuffix = ".desktop";
constexpr std::string_view kGroup = "[Desktop Entry]";

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

} // namespace

bool IsDesktopEntryName(std::string_view path)
{
    return path.size() > kSuffix.size() && path.substr(path.size() - kSuffix.size()) == kSuffix;
}

bool DesktopLinkTarget(std::string_view text, std::string& path)
{
    path.clear();
    bool inGroup = false;
    std::string_view type, url;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = Trimmed(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            inGroup = line == kGroup;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string_view::npos)
            continue;
        const std::string_view key = Trimmed(line.substr(0, equals));
        const std::string_view value = Trimmed(line.substr(equals + 1));
        if (key == "Type")
            type = value;
        else if (key == "URL")
            url = value;
    }
    if (type != "Link")
        return false;
    const TUriListResult parsed = ParseUriList(url);
    if (!parsed.ok || parsed.paths.size() != 1)
        return false;
    path = parsed.paths.front();
    return true;
}

} // namespace tallyrun
