// The main window: the folder pane on the left, the pie chart over the log memo on the right,
// a tool bar at the top and a status bar with two progress bars at the bottom. It runs the
// folder analysis whenever the selected folder changes.
#pragma once

#include "app/main_chart.h"
#include "app/scan_sink_adapters.h"

#include <QMainWindow>

#include <memory>
#include <string>
#include <vector>

class QAction;
class QSplitter;
class QToolBar;

namespace tallyrun {

class TLogView;
class TQorShTreeNode;
class TSelectedFolder;
class TStatusBar;
class TStatusProgressBar;

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

    // The run measures "/" when no folder path is selected. Tests point this at a temporary
    // folder so that the case runs without walking the whole file system; the log still
    // shows "/" as the selected folder.
    void SetRootFolderForTesting(const std::string& folder) { rootFolderForTesting_ = folder; }

    QToolBar* TBToolbar1;
    QAction* TB_Stop;
    QWidget* QorShTreeView1;
    QSplitter* Splitter1;
    QSplitter* Splitter2;
    TMainChart* Chart1;
    std::unique_ptr<TMainPieSeries> Series1;
    TLogView* memSearch;
    TStatusBar* StatusBar1;
    TStatusProgressBar* StatusProgressBar1;
    TStatusProgressBar* StatusProgressBar2;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildLayout(QWidget* folderPane);
    void FormCreate();
    void FormResize();
    std::string SelectedFolderPath() const;
    std::string ScanPath(const std::string& path) const;
    void RunOnce();
    void MeasureSelectedFolder(std::vector<std::string>& subfolders);
    void MeasureSubfolder(const std::string& subfolder);
    void AddSlice(const std::string& label, double total);
    void FinishRun();

    TSelectedFolder& folder_;
    std::unique_ptr<TProgressBarSink> progressSink_;
    std::unique_ptr<TLogSink> logSink_;
    bool RunStopFlag = false;
    bool running_ = false;
    bool rerunRequested_ = false;
    std::string rootFolderForTesting_;
};

} // namespace tallyrun
