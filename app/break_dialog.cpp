#include "app/break_dialog.h"

#include "app/dialog_window.h"

#include <QCoreApplication>
#include <QLabel>

namespace tallyrun {

TfrmBreakDialog::TfrmBreakDialog(QWidget* parent) : QWidget(parent)
{
    SetUpDialogWindow(*this, QCoreApplication::translate("TfrmBreakDialog", "中断処理中"),
                      QSize(417, 265));
    lblMessage = MakeLabel(this, {80, 48});
    FormCreate();
}

void TfrmBreakDialog::FormCreate()
{
    // A plain-text label breaks the line at "\r\n" once, as at "\n".
    lblMessage->setText(QCoreApplication::translate("TfrmBreakDialog", "処理を中断しています") +
                        QStringLiteral("\r\n") +
                        QCoreApplication::translate("TfrmBreakDialog", "しばらくお待ちください"));
    lblMessage->adjustSize();
}

} // namespace tallyrun
