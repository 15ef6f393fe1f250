#include "app/break_dialog.h"

#include "app/dialog_window.h"

#include <QLabel>

namespace tallyrun {

TfrmBreakDialog::TfrmBreakDialog(QWidget* parent) : QWidget(parent)
{
    SetUpDialogWindow(*this, QStringLiteral("中断処理中"), QSize(417, 265));
    lblMessage = MakeLabel(this, {80, 48});
    FormCreate();
}

void TfrmBreakDialog::FormCreate()
{
    // A plain-text label breaks the line at "\r\n" once, as at "\n".
    lblMessage->setText(QStringLiteral("処理を中断しています") + QStringLiteral("\r\n") +
                        QStringLiteral("しばらくお待ちください"));
    lblMessage->adjustSize();
}

} // namespace tallyrun
