#include "shelltree/drop_report_text.h"

#include "shelltree/tree_text.h"

#include <cstring>

namespace tallyrun {
namespace {

std::string Reason(const platform::TDropItemOutcome& outcome)
{
    switch (outcome.result) {
    case platform::TDropItemResult::driDone:
        return {};
    case platform::TDropItemResult::driNameExists:
        return TreeText(QT_TRANSLATE_NOOP(
            "TQorShTreeView", "同じ名前の項目がフォルダにあるため、置き換えませんでした。"));
    case platform::TDropItemResult::driIntoItself:
        return TreeText(QT_TRANSLATE_NOOP(
            "TQorShTreeView", "フォルダをそれ自身の中へドロップすることはできません。"));
    case platform::TDropItemResult::driNoSpace:
        return TreeText(QT_TRANSLATE_NOOP(
            "TQorShTreeView", "空き容量が足りません。途中までの項目は残していません。"));
    case platform::TDropItemResult::driSourceKept:
        return TreeText(QT_TRANSLATE_NOOP("TQorShTreeView",
                                          "コピーしましたが、元の項目を削除できませんでした。"));
    case platform::TDropItemResult::driFailed:
        break;
    }
    return std::strerror(outcome.error);
}

} // namespace

std::string DropFailureText(const TDropReport& report)
{
    std::string text;
    for (const platform::TDropItemOutcome& outcome : report.outcomes) {
        if (outcome.result == platform::TDropItemResult::driDone)
            continue;
        if (!text.empty())
            text += '\n';
        text += outcome.source + ": " + Reason(outcome);
    }
    return text;
}

} // namespace tallyrun
