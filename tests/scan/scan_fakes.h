// Small stand-ins for the progress bar and the log memo the folder totals report into.
#pragma once

#include "scan/scan_sinks.h"

#include <string>
#include <vector>

namespace tallyrun::test {

// Keeps its position within Min..Max, as a progress control does.
class TFakeProgressBar : public TScanProgressBar
{
public:
    void SetVisible(bool value) override { visible = value; }
    void SetMin(int value) override { min = value; }
    void SetMax(int value) override { max = value; }
    void SetPosition(int value) override
    {
        position = value < min ? min : value > max ? max : value;
    }
    int Position() const override { return position; }

    bool visible = false;
    int min = -1, max = -1, position = -1;
};

class TFakeLog : public TScanLog
{
public:
    void AppendLine(const std::string& line) override { lines.push_back(line); }
    std::vector<std::string> lines;
};

} // namespace tallyrun::test
