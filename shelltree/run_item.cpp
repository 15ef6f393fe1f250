#include "shelltree/run_item.h"

#include "platform/path_probe.h"
#include "shelltree/desktop_entry.h"

namespace tallyrun {
namespace {

// Desktop entries are small; anything larger is not read as one.
constexpr std::size_t kDesktopEntryLimit = 64 * 1024;

TRunFacts FactsOf(const platform::TPathProbe& probe, bool isLink)
{
    TRunFacts facts;
    facts.isLink = isLink;
    facts.targetExists = probe.exists;
    facts.targetIsFolder = probe.isFolder;
    facts.targetRunnable = probe.isExecutable || probe.hasShebang ||
                           (probe.exists && !probe.isFolder && IsDesktopEntryName(probe.resolved));
    return facts;
}

} // namespace

TRunAction DecideRun(const TRunFacts& facts)
{
    if (!facts.targetExists)
        return TRunAction::raNothing;
    if (facts.targetIsFolder)
        return facts.isLink ? TRunAction::raSelectFolder : TRunAction::raNothing;
    return facts.targetRunnable ? TRunAction::raConfirmThenOpen : TRunAction::raOpen;
}

TRunOutcome RunItem(const std::string& path, TItemLauncher& launcher, const TRunConfirm& confirm)
{
    platform::TPathProbe probe = platform::ProbePath(path);
    bool isLink = probe.isLink;
    // A link desktop entry leads to the file its URL names; it is followed like a link.
    std::string text, linked;
    if (probe.exists && IsDesktopEntryName(probe.resolved) &&
        platform::ReadSmallFile(probe.resolved, kDesktopEntryLimit, text) &&
        DesktopLinkTarget(text, linked)) {
        probe = platform::ProbePath(linked);
        isLink = true;
    }
    TRunOutcome outcome;
    outcome.action = DecideRun(FactsOf(probe, isLink));
    outcome.target = probe.resolved;
    const bool open =
        outcome.action == TRunAction::raOpen ||
        (outcome.action == TRunAction::raConfirmThenOpen && confirm && confirm(outcome.target));
    if (open)
        outcome.opened = launcher.Open(outcome.target);
    return outcome;
}

} // namespace tallyrun
