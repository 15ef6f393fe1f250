// The tool-bar commands of the main window (the stop command is with the analysis run).
#include "app/main_window.h"

#include "app/save_dialog.h"
#include "base/message_box.h"

#include <QCoreApplication>
#include <QFile>

namespace tallyrun {

void TfrmMain::TB_Show3DClick(QObject* /*sender*/)
{
    Chart1->SetView3D(TB_Show3D->isChecked());
}

void TfrmMain::TB_introductoryClick(QObject* /*sender*/)
{
    Chart1->Legend().SetVisible(TB_introductory->isChecked());
}

void TfrmMain::TB_ShowPercentClick(QObject* /*sender*/)
{
    TB_ShowPercent->setChecked(true);
    TB_ShowSize->setChecked(false);
    ApplyMarksStyle(TMarksChoice::LabelPercent);
}

void TfrmMain::TB_ShowSizeClick(QObject* /*sender*/)
{
    TB_ShowPercent->setChecked(false);
    TB_ShowSize->setChecked(true);
    ApplyMarksStyle(TMarksChoice::LabelValue);
}

// Series1's marks say label and percentage, or label and value in bytes.
void TfrmMain::ApplyMarksStyle(TMarksChoice choice)
{
    Series1->Marks().SetStyle(choice == TMarksChoice::LabelPercent ? smsLabelPercent
                                                                   : smsLabelValue);
}

void TfrmMain::TB_SaveClick(QObject* /*sender*/)
{
    if (!SaveDialog1->Execute())
        return;
    // A failed write raises its error here, so the success message below is never shown.
    Chart1->ExportBitmapFile(QFile::encodeName(SaveDialog1->FileName()).toStdString());
    ShowInformationBox(QCoreApplication::translate("TfrmMain", "画像を出力しました"),
                       QCoreApplication::translate("TfrmMain", "情報"));
}

void TfrmMain::TB_VersionClick(QObject* /*sender*/)
{
    if (!frmVersion_)
        return;
    frmVersion_->show();
    frmVersion_->raise();
    frmVersion_->activateWindow();
}

void TfrmMain::TB_EndClick(QObject* /*sender*/)
{
    close();
}

} // namespace tallyrun
