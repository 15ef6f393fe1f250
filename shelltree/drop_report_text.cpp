#include "shelltree/drop_report_text.h"

#include <cstring>

namespace tallyrun {
namespace {

std::string Reason(const TDropItemOutcome& outcome)
{
    switch (outcome.result) {
    case TDropItemResult::driDone:
        return {};
    case TDropItemResult::driNameExists:
        return "the folder already holds an item of that name; nothing was replaced";
    case TDropItemResult::driIntoItself:
        return "a folder cannot be dropped into itself";
    case TDropItemResult::driNoSpace:
        return "not enough space; nothing was left behind";
    case TDropItemResult::driSourceKept:
        return "copied, but the original could not be removed";
    case TDropItemResult::driFailed:
        break;
    }
    return std::strerror(outcome.error);
}

} // namespace

std::string DropFailureText(const TDropReport& report)
{
    std::string text;
    for (const TDropItemOutcome& outcome : report.outcomes) {
        if (outcome.result == TDropItemResult::driDone)
            continue;
        if (!text.empty())
            text += '\n';
        text += outcome.source + ": " + Reason(outcome);
    }
    return text;
}

} // namespace tallyrun
