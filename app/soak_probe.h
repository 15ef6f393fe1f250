// A probe for the soak driver (bench/soak/), built into the program but started only when the
// environment variable TALLYRUN_SOAK_PROBE names a folder; otherwise it costs one getenv at
// start-up. While it runs it
// - posts an event every 5 ms and keeps the longest delay until its delivery (how long input
//   would wait), apart for the moments a modal dialog is open;
// - counts the analysis runs started, finished and stopped, and the error and information
//   boxes shown;
// - writes, every 200 ms, the folder's file "state" (counters, where the window's parts are on
//   the screen, the visible tree nodes with their paths) through a rename, so the driver never
//   reads half a file;
// - appends to "events" one line per run start and end and per message box, and writes the
//   memo and the slices of every run that ended as "run-N.memo" and "run-N.slices", and one
//   line per drag the tree starts and per drop onto it, with the item's path.
// Paths and messages are written as hex bytes, since they may hold any byte.
#pragma once

#include "app/run_observer.h"

#include <QElapsedTimer>
#include <QFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace tallyrun {

class TfrmMain;
class TQorShFolderData;

class TSoakProbe : public QObject, public TRunObserver
{
public:
    // Starts probing `window` into `folder`; the probe detaches itself when destroyed.
    TSoakProbe(TfrmMain& window, const QString& folder);
    ~TSoakProbe() override;

    void RunStarted(const std::string& path) override;
    void RunFinished(bool stopped) override;

    bool event(QEvent* e) override;
    // Notes the window's close requests, and whether a run was going on.
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void PostSample();
    void Delivered(qint64 postedNs, bool modalAtPost);
    void WriteState();
    void WriteRunFiles(int run) const;
    void AddEvent(const std::string& line);
    // "drag" or "drop", the time, the item's path and whether the tree's handler allowed it.
    void AddTreeEvent(const char* kind, TQorShFolderData* item, bool allowed);
    void ShownMessage(const char* kind, const QString& message);
    std::int64_t NowNs() const;

    TfrmMain& window_;
    QString folder_;
    QFile events_;
    QTimer sampleTimer_;
    QTimer stateTimer_;
    int stateSeq_ = 0;
    int runsStarted_ = 0;
    int runsFinished_ = 0;
    int runsStopped_ = 0;
    int errorBoxes_ = 0;
    int infoBoxes_ = 0;
    int samples_ = 0;
    double delayMaxMs_ = 0;
    double delayMaxFreeMs_ = 0; // samples with no modal dialog open at post or delivery
    // The tree's drag and drop handlers the probe's own wrap.
    std::function<void(QObject*, TQorShFolderData*, bool&)> beginDrag_;
    std::function<void(QObject*, TQorShFolderData*, bool&)> dragDrop_;
};

// The probe the environment asks for, or null.
std::unique_ptr<TSoakProbe> StartSoakProbeIfAsked(TfrmMain& window);

} // namespace tallyrun
