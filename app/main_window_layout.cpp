// The main window's components and their placement.
#include "app/main_window.h"

#include "app/dialog_window.h"
#include "app/grey_splitter.h"
#include "app/main_chart_settings.h"
#include "app/save_dialog.h"
#include "app/toolbar_images.h"
#include "toolbar/tb_image_list.h"
#include "toolbar/tb_toolbar.h"
#include "widgets/hook_hot_key.h"
#include "widgets/log_view.h"
#include "widgets/panel_status_bar.h"
#include "widgets/status_progress_bar.h"

#include <QAbstractScrollArea>
#include <QCoreApplication>
#include <QVBoxLayout>

namespace tallyrun {

namespace {

// Client size: the window is 800 x 534 with a frame, and these give the chart its 590 x 364.
constexpr QSize kClientSize(792, 500);
constexpr int kTreeWidth = 199;
constexpr int kChartWidth = kMainChartWidth;
constexpr int kChartHeight = kMainChartHeight;
constexpr int kMemoHeight = 89;
constexpr int kSplitterWidth = 3;
constexpr int kStatusBarHeight = 18;

TStatusProgressBar* MakeStatusProgressBar(TStatusBar* statusBar, int panel)
{
    // Set up as the window's description does: the status bar first, then the panel.
    auto* bar = new TStatusProgressBar(statusBar);
    bar->SetFormReading(true);
    bar->SetStatusBar(statusBar);
    bar->SetPanelIndex(panel);
    bar->SetFormReading(false);
    bar->hide();
    return bar;
}

} // namespace

void TfrmMain::BuildLayout(QWidget* folderPane)
{
    setWindowTitle(QStringLiteral("Tallyrun"));
    setFont(GothicFont(12));
    resize(kClientSize);
    CentreOnScreen(*this);

    TBImageList1 = new TTBImageList(QSize(16, 16), this);
    AddMainToolbarImages(*TBImageList1);
    BuildToolbar();

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    Splitter1 = new TGreySplitter(Qt::Horizontal, kSplitterWidth, central);
    QorShTreeView1 = folderPane ? folderPane : new QWidget;
    Splitter1->addWidget(QorShTreeView1);
    BuildPanel();
    Splitter1->addWidget(Panel1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kTreeWidth, kChartWidth});
    column->addWidget(Splitter1, 1);
    BuildStatusBar();
    column->addWidget(StatusBar1);
    setCentralWidget(central);

    HookHotKey1 = new THookHotKey(this);
    SaveDialog1 = new TSaveDialog(this);
    SaveDialog1->SetFilter(
        QCoreApplication::translate("TfrmMain", "ビットマップファイル(*.bmp)|*.bmp"));
    SaveDialog1->SetDefaultExt(QStringLiteral("*.bmp"));
    SaveDialog1->SetOptions(ofOverwritePrompt | ofHideReadOnly | ofEnableSizing);
    ConnectFocusOnClick(QorShTreeView1);
}

void TfrmMain::BuildToolbar()
{
    TBToolbar1 = new TTBToolbar(QCoreApplication::translate("TfrmMain", "メインメニュー"),
                                TBImageList1, this);
    addToolBar(Qt::TopToolBarArea, TBToolbar1);
    TB_Show3D = TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "3D表示"), -1);
    TB_Show3D->SetAutoCheck(true);
    TB_Show3D->setChecked(true);
    TB_Show3D->setVisible(false);
    TB_introductory =
        TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "凡例表示"), tiLegend);
    TB_introductory->SetAutoCheck(true);
    TB_introductory->setChecked(true);
    TBToolbar1->AddSeparator();
    TB_ShowPercent =
        TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "％表示"), tiPercent);
    TB_ShowPercent->setChecked(true);
    TB_ShowSize =
        TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "サイズ表示"), tiSize);
    TBToolbar1->AddSeparator();
    TB_Save = TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "保存"), tiSave);
    TBToolbar1->AddSeparator();
    TB_Stop = TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "処理中断"), tiStop);
    TB_Stop->setEnabled(false);
    TBToolbar1->AddSeparator();
    TB_Version =
        TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "バージョン情報"), tiVersion);
    TB_End = TBToolbar1->AddItem(QCoreApplication::translate("TfrmMain", "終了"), tiEnd);
}

void TfrmMain::BuildPanel()
{
    Panel1 = new QWidget;
    auto* layout = new QVBoxLayout(Panel1);
    layout->setContentsMargins(0, 0, 0, 0);
    Splitter2 = new TGreySplitter(Qt::Vertical, kSplitterWidth, Panel1);
    Chart1 = new TMainChart;
    memSearch = new TLogView;
    memSearch->AppendLine("memSearch");
    Splitter2->addWidget(Chart1);
    Splitter2->addWidget(memSearch);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    Splitter2->setSizes({kChartHeight, kMemoHeight});
    layout->addWidget(Splitter2);

    Series1 = std::make_unique<TMainPieSeries>();
    ApplyMainChartSettings(*Chart1, *Series1);
}

void TfrmMain::BuildStatusBar()
{
    StatusBar1 = new TStatusBar;
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->SetPanelWidths({500, 50});
    StatusProgressBar1 = MakeStatusProgressBar(StatusBar1, 0);
    StatusProgressBar1->SetMax(100);
    StatusProgressBar2 = MakeStatusProgressBar(StatusBar1, 1);
}

void TfrmMain::ConnectFocusOnClick(QWidget* folderPane)
{
    // A click lands on the tree's viewport when the pane scrolls, else on the pane itself.
    folderPane->installEventFilter(this);
    if (auto* area = qobject_cast<QAbstractScrollArea*>(folderPane))
        area->viewport()->installEventFilter(this);
}

} // namespace tallyrun
