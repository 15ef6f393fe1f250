// The main window: the folder pane on the left, the pie chart over the log memo on the right,
// a tool bar at the top and a status bar with two progress bars at the bottom. It runs the
// folder analysis whenever the selected folder changes, and its commands show, zoom, move and
// save the chart.
#pragma once

#include "app/chart_double_click.h"
#include "app/main_chart.h"
#include "app/scan_sink_adapters.h"
#include "toolbar/tb_item.h"

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QSplitter;

namespace tallyrun {

class THookHotKey;
struct THotKeyBinding;
class TLogView;
class TQorShTreeNode;
class TRunFolder;
class TRunObserver;
class TSaveDialog;
class TSelectedFolder;
class TSliceFolders;
class TStatusBar;
class TStatusProgressBar;
class TTBImageList;
class TTBToolbar;

class TfrmMain : public QMainWindow
{
    Q_OBJECT

public:
    // `folder` tells the run which folder is selected and reports selection changes; it must
    // outlive the window. `folderPane`, when given, is shown in the left pane and becomes the
    // window's child.
    explicit TfrmMain(TSelectedFolder& folder, QWidget* folderPane = nullptr,
                      QWidget* parent = nullptr);
    ~TfrmMain() override;

    // The analysis run of the selected folder. A call during a run stops that run; once it
    // has returned, one new run starts for the selection of that moment.
    void QorShTreeView1Change(QObject* sender, TQorShTreeNode* node);
    // The stop command: the subfolder in hand finishes at once with its partial total and
    // the remaining ones are skipped.
    void TB_StopClick(QObject* sender);

    bool IsRunning() const { return running_; }

    // The about dialog that TB_Version shows; it is created after this window.
    void SetAboutDialog(QWidget* frmVersion) { frmVersion_ = frmVersion; }

    // Told of every run's start and end; null (the default) for none. It must outlive the
    // window or be reset first.
    void SetRunObserver(TRunObserver* observer) { runObserver_ = observer; }

    // The run measures "/" when no folder path is selected. Tests point this at a temporary
    // folder so that the case runs without walking the whole file system; the log still
    // shows "/" as the selected folder.
    void SetRootFolderForTesting(const std::string& folder) { rootFolderForTesting_ = folder; }

    TTBImageList* TBImageList1;
    TTBToolbar* TBToolbar1;
    TTBItem* TB_Show3D;
    TTBItem* TB_introductory;
    TTBItem* TB_ShowPercent;
    TTBItem* TB_ShowSize;
    TTBItem* TB_Save;
    TTBItem* TB_Stop;
    TTBItem* TB_Version;
    TTBItem* TB_End;
    QWidget* QorShTreeView1;
    QSplitter* Splitter1;
    QWidget* Panel1;
    TMainChart* Chart1;
    std::unique_ptr<TMainPieSeries> Series1;
    QSplitter* Splitter2;
    TLogView* memSearch;
    TStatusBar* StatusBar1;
    TStatusProgressBar* StatusProgressBar1;
    TStatusProgressBar* StatusProgressBar2;
    THookHotKey* HookHotKey1;
    TSaveDialog* SaveDialog1;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The marks the pie shows beside each slice.
    enum class TMarksChoice
    {
        LabelPercent,
        LabelValue
    };

    // Components and their placement.
    void BuildLayout(QWidget* folderPane);
    void BuildToolbar();
    void BuildPanel();
    void BuildStatusBar();
    void ConnectHandlers();
    void ConnectChartHandlers();
    void ConnectFocusOnClick(QWidget* folderPane);

    // Window events.
    void FormCreate();
    void FormResize();
    void HookHotKey1HotKey(THookHotKey* sender, int index);
    void HookHotKey1BindingChanged(THookHotKey* sender, int index, const THotKeyBinding& binding);

    // Tool-bar commands.
    void TB_Show3DClick(QObject* sender);
    void TB_introductoryClick(QObject* sender);
    void TB_ShowPercentClick(QObject* sender);
    void TB_ShowSizeClick(QObject* sender);
    void TB_SaveClick(QObject* sender);
    void TB_VersionClick(QObject* sender);
    void TB_EndClick(QObject* sender);
    void ApplyMarksStyle(TMarksChoice choice);

    // The chart's mouse: focus, wheel zoom and dragging.
    void Chart1Click();
    void Chart1MouseWheelUp();
    void Chart1MouseWheelDown();
    void Chart1MouseDown(int x, int y);
    void Chart1MouseMove(int x, int y);
    void Chart1MouseUp();

    // Drilling down: a double-click on a subfolder's slice selects that subfolder.
    void Chart1DblClick(Qt::MouseButton button, int x, int y);
    void DrillDownAt(TChartPoint point);

    // The analysis run.
    std::string SelectedFolderPath() const;
    std::string ScanPath(const std::string& path) const;
    void RunOnce();
    void MeasureSelectedFolder(std::vector<std::string>& subfolders);
    void MeasureSubfolder(const std::string& subfolder);
    // Returns the slice's point index.
    int AddSlice(const std::string& label, double total);
    void FinishRun();
    void CloseIfAskedDuringRun();

    TSelectedFolder& folder_;
    QWidget* frmVersion_ = nullptr;
    TRunObserver* runObserver_ = nullptr;
    std::unique_ptr<TProgressBarSink> progressSink_;
    std::unique_ptr<TLogSink> logSink_;
    bool RunStopFlag = false;
    bool running_ = false;
    bool rerunRequested_ = false;
    bool closeRequested_ = false;
    std::string rootFolderForTesting_;

    bool ChartDragging = false;
    std::int32_t DragStartX = 0;
    std::int32_t DragStartY = 0;
    TChartDoubleClick chartDoubleClick_;
    // The subfolder behind each slice of Series1.
    std::unique_ptr<TSliceFolders> sliceFolders_;
    // The selected folder of the run in hand, open from the listing of its subfolders to the
    // end of the run, so every subfolder is opened relative to it.
    std::unique_ptr<TRunFolder> runFolder_;
};

} // namespace tallyrun
