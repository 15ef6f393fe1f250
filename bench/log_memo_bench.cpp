// Compares two designs for the run's log memo on N log lines: batched appends to a
// QPlainTextEdit, and the chunked, virtualized TLogView. One design per process, so each
// peak memory figure is its own:
//   log_memo_bench plain|view [LINES]
// prints: design=... lines=N append_s=S rss_kb=K peak_rss_kb=P scroll_paint_ms=M
// Lines look like the scanner's per-file lines; the event loop runs every 2,000 lines, as the
// run's throttled event pump would.
#include "widgets/log_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <string>

namespace {

long StatusKb(const char* key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0)
            return std::stol(line.substr(std::strlen(key)));
    return -1;
}

std::string LogLine(long i)
{
    return "\t\t/srv/data/projects/tree/d" + std::to_string(i % 97) + "/sub" +
           std::to_string(i % 13) + "/file_" + std::to_string(i) +
           ".dat : " + std::to_string(i * 4096);
}

template <typename Widget> double PaintAtRandomPlaces(Widget& w, QScrollBar* bar)
{
    std::mt19937 rng(1);
    QElapsedTimer t;
    t.start();
    constexpr int kPaints = 50;
    for (int i = 0; i < kPaints; ++i) {
        bar->setValue(int(rng() % unsigned(bar->maximum() + 1)));
        w.viewport()->repaint();
    }
    return double(t.nsecsElapsed()) / 1e6 / kPaints;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const bool plain = argc > 1 && std::strcmp(argv[1], "plain") == 0;
    const long lines = argc > 2 ? std::stol(argv[2]) : 1000000;
    QElapsedTimer timer;
    double appendS = 0;
    double paintMs = 0;
    long rssKb = 0;
    if (plain) {
        QPlainTextEdit edit;
        edit.setReadOnly(true);
        edit.resize(590, 89);
        edit.show();
        timer.start();
        QString batch;
        for (long i = 0; i < lines; ++i) {
            if (!batch.isEmpty())
                batch += u'\n';
            batch += QString::fromStdString(LogLine(i));
            if (i % 2000 == 1999) {
                edit.appendPlainText(batch);
                batch.clear();
                QApplication::processEvents();
            }
        }
        if (!batch.isEmpty())
            edit.appendPlainText(batch);
        QApplication::processEvents();
        appendS = double(timer.nsecsElapsed()) / 1e9;
        paintMs = PaintAtRandomPlaces(edit, edit.verticalScrollBar());
        rssKb = StatusKb("VmRSS:");
    } else {
        tallyrun::TLogView view;
        view.resize(590, 89);
        view.show();
        timer.start();
        for (long i = 0; i < lines; ++i) {
            view.AppendLine(LogLine(i));
            if (i % 2000 == 1999)
                QApplication::processEvents();
        }
        view.Flush();
        QApplication::processEvents();
        appendS = double(timer.nsecsElapsed()) / 1e9;
        paintMs = PaintAtRandomPlaces(view, view.verticalScrollBar());
        rssKb = StatusKb("VmRSS:");
    }
    std::printf("design=%s lines=%ld append_s=%.3f rss_kb=%ld peak_rss_kb=%ld "
                "scroll_paint_ms=%.3f\n",
                plain ? "plain" : "view", lines, appendS, rssKb, StatusKb("VmHWM:"), paintMs);
    return 0;
}
