// The folder analysis run and the stop command of the main window.
#include "app/main_window.h"

#include "app/run_observer.h"
#include "app/slice_folders.h"
#include "app/slice_label.h"
#include "platform/heap_release.h"
#include "scan/folder_total.h"
#include "scan/log_line.h"
#include "scan/pump_events.h"
#include "scan/run_folder.h"
#include "scan/string_helpers.h"
#include "shelltree/selected_folder.h"
#include "widgets/log_view.h"
#include "widgets/status_progress_bar.h"

#include <QAction>
#include <QApplication>

#include <memory>

namespace tallyrun {

namespace {

const std::string kRootLabel = "root";

// A folder's path line, escaped as the file lines are, so the log shows a name one way.
std::string PathLine(const std::string& path)
{
    std::string line;
    AppendEscapedPath(path, line);
    return line;
}

} // namespace

void TfrmMain::QorShTreeView1Change(QObject* /*sender*/, TQorShTreeNode* /*node*/)
{
    if (running_) {
        // The event pump delivered a new request into the run in hand. Running a second run
        // inside it would detach the scanner's bar and log under the outer run's feet, so the
        // current run is stopped and, once it has returned, run again for the selection of
        // that moment (however many requests came in the meantime).
        rerunRequested_ = true;
        TB_StopClick(this);
        return;
    }
    running_ = true;
    try {
        // Once the window has been asked to close, a run requested meanwhile is not started:
        // nobody would see it, and the program is meant to end when the run in hand returns
        // (a new run of a large folder kept it open for minutes after the close).
        do {
            rerunRequested_ = false;
            RunOnce();
        } while (rerunRequested_ && !closeRequested_);
    } catch (...) {
        running_ = false;
        rerunRequested_ = false;
        CloseIfAskedDuringRun();
        throw;
    }
    running_ = false;
    CloseIfAskedDuringRun();
}

void TfrmMain::TB_StopClick(QObject* /*sender*/)
{
    RunStopFlag = true;
    TB_Stop->setEnabled(false);
    SetScanStop(true);
}

std::string TfrmMain::SelectedFolderPath() const
{
    std::string path;
    folder_.SelectedPath(path);
    return WithTrailingSeparator(path);
}

std::string TfrmMain::ScanPath(const std::string& path) const
{
    if (path == "/" && !rootFolderForTesting_.empty())
        return WithTrailingSeparator(rootFolderForTesting_);
    return path;
}

void TfrmMain::RunOnce()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (runObserver_)
        runObserver_->RunStarted(SelectedFolderPath());
    std::vector<std::string> subfolders;
    // Everything after the cursor is undone by FinishRun, also when an error escapes.
    try {
        MeasureSelectedFolder(subfolders);
        for (const std::string& subfolder : subfolders) {
            PumpEvents();
            if (!RunStopFlag)
                MeasureSubfolder(subfolder);
        }
    } catch (...) {
        FinishRun();
        throw;
    }
    FinishRun();
}

void TfrmMain::MeasureSelectedFolder(std::vector<std::string>& subfolders)
{
    Series1->ClearPoints();
    sliceFolders_->Clear();
    memSearch->Clear();
    AttachProgressBar(progressSink_.get());
    AttachLog(logSink_.get());
    SetScanStop(false);
    TB_Stop->setEnabled(true);

    // The selection is read anew for every step, as the folder pane may change it meanwhile.
    memSearch->AppendLine(PathLine(SelectedFolderPath()));
    AddSlice(kRootLabel, FolderTotal(ScanPath(SelectedFolderPath()), tdFolderOnly));
    // A stop that abandoned the root's listing ends the run at once: listing the subfolders
    // of a folder that large would take as long again, for a list the stopped run never uses.
    if (!LastListingAbandoned())
        runFolder_ = std::make_unique<TRunFolder>(ScanPath(SelectedFolderPath()), subfolders);

    StatusProgressBar1->SetPosition(0);
    StatusProgressBar1->SetMax(static_cast<int>(subfolders.size()));
    StatusProgressBar1->show();
}

void TfrmMain::MeasureSubfolder(const std::string& subfolder)
{
    StatusProgressBar1->SetPosition(StatusProgressBar1->Position() + 1);
    const std::string path = WithTrailingSeparator(subfolder);
    memSearch->AppendLine(PathLine(path));
    const std::string label = SliceLabel(path);
    const int index = AddSlice(label, runFolder_->SubfolderTotal(path));
    sliceFolders_->SetFolder(index, path);
}

int TfrmMain::AddSlice(const std::string& label, double total)
{
    const int index = Series1->AddPoint(label, clAutomatic, total);
    std::string line = "\t";
    line += FormatThousands(total);
    line += " ";
    line += QCoreApplication::translate("TfrmMain", "Byte").toStdString();
    memSearch->AppendLine(line);
    return index;
}

void TfrmMain::FinishRun()
{
    const bool stopped = RunStopFlag;
    if (stopped)
        memSearch->AppendLine(
            QCoreApplication::translate("TfrmMain", "【中断しました】").toStdString());
    RunStopFlag = false;
    TB_Stop->setEnabled(false);
    StatusProgressBar1->SetPosition(0);
    StatusProgressBar1->hide();
    DetachProgressBar();
    DetachLog();
    runFolder_.reset();
    // The run's listings are freed by now, much of them on the scanning threads' heaps.
    platform::ReleaseFreeHeap();
    QApplication::restoreOverrideCursor();
    if (runObserver_)
        runObserver_->RunFinished(stopped);
}

} // namespace tallyrun
