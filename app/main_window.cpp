#include "app/main_window.h"

#include "app/hot_key_status.h"
#include "app/save_dialog.h"
#include "app/slice_folders.h"
#include "base/handler_errors.h"
#include "scan/run_folder.h"
#include "shelltree/selected_folder.h"
#include "widgets/hook_hot_key.h"
#include "widgets/log_view.h"
#include "widgets/panel_status_bar.h"
#include "widgets/status_progress_bar.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeySequence>
#include <QLayout>

namespace tallyrun {

TfrmMain::TfrmMain(TSelectedFolder& folder, QWidget* folderPane, QWidget* parent)
    : QMainWindow(parent), folder_(folder)
{
    BuildLayout(folderPane);
    sliceFolders_ = std::make_unique<TSliceFolders>(*Series1);
    progressSink_ = std::make_unique<TProgressBarSink>(*StatusProgressBar2);
    logSink_ = std::make_unique<TLogSink>(*memSearch);
    ConnectHandlers();
    FormCreate();
}

TfrmMain::~TfrmMain()
{
    // The folder pane may report once more while the window's children go away.
    folder_.OnChange = nullptr;
}

void TfrmMain::ConnectHandlers()
{
    // The run's errors end at the handler boundary: they are shown and the loop goes on.
    folder_.OnChange = [this](QObject* sender, TQorShTreeNode* node) {
        RunHandler([&] { QorShTreeView1Change(sender, node); });
    };
    const std::pair<TTBItem*, void (TfrmMain::*)(QObject*)> commands[] = {
        {TB_Show3D, &TfrmMain::TB_Show3DClick},
        {TB_introductory, &TfrmMain::TB_introductoryClick},
        {TB_ShowPercent, &TfrmMain::TB_ShowPercentClick},
        {TB_ShowSize, &TfrmMain::TB_ShowSizeClick},
        {TB_Save, &TfrmMain::TB_SaveClick},
        {TB_Stop, &TfrmMain::TB_StopClick},
        {TB_Version, &TfrmMain::TB_VersionClick},
        {TB_End, &TfrmMain::TB_EndClick},
    };
    for (const auto& [item, handler] : commands)
        connect(item, &TTBItem::Click, this, [this, item = item, handler = handler] {
            RunHandler([&] { (this->*handler)(item); });
        });
    HookHotKey1->SetOnHotKey(
        [this](THookHotKey* sender, int index) { HookHotKey1HotKey(sender, index); });
    HookHotKey1->SetOnBindingChanged(
        [this](THookHotKey* sender, int index, const THotKeyBinding& binding) {
            HookHotKey1BindingChanged(sender, index, binding);
        });
    ConnectChartHandlers();
}

void TfrmMain::FormCreate()
{
    // A key another program holds cannot be registered; F5 then works inside the program only.
    // Through the desktop's portal the answer comes later (HookHotKey1BindingChanged).
    (void)HookHotKey1->RegisterShortCut(
        0, QKeySequence::fromString(QStringLiteral("F5"))[0],
        QCoreApplication::translate("TfrmMain", "選択したフォルダを再集計"));
    StatusBar1->SetPanelText(0, QCoreApplication::translate(
                                    "TfrmMain", "グラフをドラッグで移動 マウスホイールで拡大縮小"));
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    RunHandler([this] { FormResize(); });
}

void TfrmMain::FormResize()
{
    // The status bar has its new width only once the layout has run; lay both bars out
    // over their panels again then.
    centralWidget()->layout()->activate();
    StatusProgressBar1->SetPanelIndex(0);
    StatusProgressBar2->SetPanelIndex(StatusProgressBar2->PanelIndex());
}

void TfrmMain::HookHotKey1HotKey(THookHotKey* /*sender*/, int /*index*/)
{
    QorShTreeView1Change(this, folder_.SelectedNode());
}

void TfrmMain::HookHotKey1BindingChanged(THookHotKey* /*sender*/, int /*index*/,
                                         const THotKeyBinding& binding)
{
    // The last panel: the first keeps its hint, and the second progress bar covers this one
    // only during a run.
    StatusBar1->SetPanelText(1, HotKeyBindingText(binding));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // A run in progress goes on to its end with the window shown; the window closes, which
    // ends the program, when the run has returned.
    if (running_) {
        closeRequested_ = true;
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

void TfrmMain::CloseIfAskedDuringRun()
{
    if (!closeRequested_)
        return;
    closeRequested_ = false;
    close();
}

} // namespace tallyrun
