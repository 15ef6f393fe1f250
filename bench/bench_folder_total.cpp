// Runs one recursive folder total of DIR with a progress bar and a log that keeps every line in
// memory, as the main window's memo does, and prints the time it took, the file count and the
// process's peak resident memory:
//
//   bench_folder_total DIR
//   -> scan_s=S files=N total=BYTES log_bytes=B peak_rss_kb=K
#include "scan/folder_total.h"
#include "scan/scan_sinks.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class TBenchBar : public tallyrun::TScanProgressBar
{
public:
    void SetVisible(bool) override {}
    void SetMin(int value) override { min_ = value; }
    void SetMax(int value) override { max_ = value; }
    void SetPosition(int value) override
    {
        position_ = value < min_ ? min_ : value > max_ ? max_ : value;
    }
    int Position() const override { return position_; }
    int Max() const { return max_; }

private:
    int min_ = 0, max_ = 0, position_ = 0;
};

class TBenchLog : public tallyrun::TScanLog
{
public:
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
        return 2;
    }
    TBenchBar bar;
    TBenchLog log;
    tallyrun::AttachProgressBar(&bar);
    tallyrun::AttachLog(&log);
    tallyrun::SetScanStop(false);
    const auto start = std::chrono::steady_clock::now();
    const double total = tallyrun::FolderTotal(argv[1], tallyrun::tdWholeTree);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    tallyrun::DetachLog();
    tallyrun::DetachProgressBar();

    std::size_t logBytes = 0;
    for (const std::string& line : log.lines)
        logBytes += line.size();
    struct rusage usage
    {
    };
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("scan_s=%.4f files=%d total=%.0f log_bytes=%zu peak_rss_kb=%ld\n", elapsed.count(),
                bar.Max(), total, logBytes, usage.ru_maxrss);
    return 0;
}
