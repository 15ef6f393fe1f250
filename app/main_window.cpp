#include "app/main_window.h"

#include "app/main_chart_settings.h"

#include "shelltree/selected_folder.h"
#include "widgets/log_view.h"
#include "widgets/panel_status_bar.h"
#include "widgets/status_progress_bar.h"

#include <QAction>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

namespace tallyrun {

namespace {

constexpr int kStatusBarHeight = 18;
constexpr int kMemoHeight = 89;
constexpr int kTreeWidth = 199;

} // namespace

TfrmMain::TfrmMain(TSelectedFolder& folder, QWidget* folderPane, QWidget* parent)
    : QMainWindow(parent), folder_(folder)
{
    setWindowTitle(QStringLiteral("Tallyrun"));
    resize(800, 534);
    BuildLayout(folderPane);
    progressSink_ = std::make_unique<TProgressBarSink>(*StatusProgressBar2);
    logSink_ = std::make_unique<TLogSink>(*memSearch);
    FormCreate();
    folder_.OnChange = [this](QObject* sender, TQorShTreeNode* node) {
        QorShTreeView1Change(sender, node);
    };
}

TfrmMain::~TfrmMain()
{
    // The folder pane may report once more while the window's children go away.
    folder_.OnChange = nullptr;
}

void TfrmMain::BuildLayout(QWidget* folderPane)
{
    TBToolbar1 = addToolBar(QStringLiteral("メインメニュー"));
    TBToolbar1->setMovable(false);
    TBToolbar1->setFloatable(false);
    TB_Stop = TBToolbar1->addAction(QStringLiteral("処理中断"));
    TB_Stop->setEnabled(false);
    connect(TB_Stop, &QAction::triggered, this, [this] { TB_StopClick(this); });

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Splitter1 = new QSplitter(Qt::Horizontal, central);
    Splitter1->setHandleWidth(3);
    QorShTreeView1 = folderPane ? folderPane : new QWidget;
    Splitter1->addWidget(QorShTreeView1);

    Splitter2 = new QSplitter(Qt::Vertical);
    Splitter2->setHandleWidth(3);
    Chart1 = new TMainChart;
    memSearch = new TLogView;
    memSearch->AppendLine("memSearch");
    Splitter2->addWidget(Chart1);
    Splitter2->addWidget(memSearch);
    Splitter2->setStretchFactor(0, 1);
    Splitter2->setStretchFactor(1, 0);
    Splitter2->setSizes({364, kMemoHeight});
    Splitter1->addWidget(Splitter2);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kTreeWidth, 590});
    column->addWidget(Splitter1, 1);

    StatusBar1 = new TStatusBar(central);
    StatusBar1->setFixedHeight(kStatusBarHeight);
    StatusBar1->SetPanelWidths({500, 50});
    column->addWidget(StatusBar1);
    setCentralWidget(central);

    StatusProgressBar1 = new TStatusProgressBar(StatusBar1);
    StatusProgressBar1->SetFormReading(true);
    StatusProgressBar1->SetStatusBar(StatusBar1);
    StatusProgressBar1->SetPanelIndex(0);
    StatusProgressBar1->SetFormReading(false);
    StatusProgressBar1->SetMax(100);
    StatusProgressBar1->hide();
    StatusProgressBar2 = new TStatusProgressBar(StatusBar1);
    StatusProgressBar2->SetFormReading(true);
    StatusProgressBar2->SetStatusBar(StatusBar1);
    StatusProgressBar2->SetPanelIndex(1);
    StatusProgressBar2->SetFormReading(false);
    StatusProgressBar2->hide();

    Series1 = std::make_unique<TMainPieSeries>();
    ApplyMainChartSettings(*Chart1, *Series1);
}

void TfrmMain::FormCreate()
{
    StatusBar1->SetPanelText(0, QStringLiteral("グラフをドラッグで移動 マウスホイールで拡大縮小"));
}

void TfrmMain::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TfrmMain::FormResize()
{
    // The status bar has its new width only once the layout has run; lay both bars out
    // over their panels again then.
    centralWidget()->layout()->activate();
    StatusProgressBar1->SetPanelIndex(0);
    StatusProgressBar2->SetPanelIndex(StatusProgressBar2->PanelIndex());
}

} // namespace tallyrun
