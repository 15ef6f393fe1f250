#include "app/hot_key_status.h"

#include <QCoreApplication>

namespace tallyrun {

QString HotKeyBindingText(const THotKeyBinding& binding)
{
    switch (binding.state) {
    case THotKeyBindingState::hbsAsAsked:
        return {};
    case THotKeyBindingState::hbsOther:
        // The trigger is the desktop's text; one argument, so nothing in it is read as %N.
        return QCoreApplication::translate("TfrmMain", "デスクトップの割り当てキー: %1")
            .arg(binding.trigger);
    case THotKeyBindingState::hbsNone:
        break;
    }
    return QCoreApplication::translate("TfrmMain", "デスクトップの割り当てキー: なし");
}

} // namespace tallyrun
