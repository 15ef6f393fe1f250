#include "shelltree/watch_set.h"

#include <algorithm>

namespace tallyrun {

bool TShWatchSet::Open(std::vector<std::string>& roots, const std::vector<std::string>& shown,
                       bool subtree, std::uint32_t kinds)
{
    Close();
    // Without an instance no root could be watched, yet none of them is at fault.
    if (!watch_.IsOpen())
        return false;
    for (auto it = roots.end(); it != roots.begin();) {
        --it;
        const int wd = watch_.Add(*it, kinds);
        if (wd < 0)
            it = roots.erase(it);
        else
            roots_[wd] = TWatched{*it, true};
    }
    if (!subtree)
        return true;
    for (const auto& folder : shown) {
        // Roots end with "/", so a prefix match is a match at a folder boundary.
        const auto root = std::find_if(roots.begin(), roots.end(), [&](const std::string& r) {
            return folder.size() > r.size() && folder.starts_with(r);
        });
        if (root == roots.end())
            continue;
        const int wd = watch_.Add(folder, kinds);
        if (wd >= 0 && !roots_.contains(wd))
            roots_[wd] = TWatched{*root, false};
    }
    return true;
}

std::vector<TShFiredRoot> TShWatchSet::Read()
{
    std::vector<TShFiredRoot> fired;
    const auto add = [&fired](const std::string& root, bool gone) {
        const auto it = std::find_if(fired.begin(), fired.end(),
                                     [&](const TShFiredRoot& f) { return f.root == root; });
        if (it == fired.end())
            fired.push_back({root, gone});
        else
            it->gone = it->gone || gone;
    };
    for (const auto& event : watch_.ReadEvents()) {
        if (event.watch < 0) {
            // The kernel's queue overflowed: any root may have changed.
            for (const auto& [wd, watched] : roots_)
                if (watched.isRoot)
                    add(watched.root, false);
            continue;
        }
        const auto it = roots_.find(event.watch);
        if (it != roots_.end())
            add(it->second.root, event.gone && it->second.isRoot);
    }
    return fired;
}

} // namespace tallyrun
