// A test fixture for the folder totals: a fresh temp tree, a fake progress bar and log attached
// with the stop request cleared, everything detached again afterwards.
#pragma once

#include "scan/folder_total.h"
#include "scan/pump_events.h"
#include "tests/scan/scan_fakes.h"
#include "tests/support/temp_tree.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace tallyrun::test {

class TScanFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Log lines are checked with a comma as the thousands separator.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        AttachProgressBar(&bar);
        AttachLog(&log);
        SetScanStop(false);
    }
    void TearDown() override
    {
        SetPumpEventsHook(nullptr);
        DetachLog();
        DetachProgressBar();
        SetScanStop(false);
        QLocale::setDefault(QLocale::system());
    }

    // The log line of the file at `relative` with the running total `total`.
    std::string Line(const std::string& relative, const std::string& total) const
    {
        return "\t\t" + tree.Path(relative) + " : " + total;
    }

    bool Logged(const std::string& relative) const
    {
        const std::string start = "\t\t" + tree.Path(relative) + " : ";
        for (const std::string& line : log.lines)
            if (line.compare(0, start.size(), start) == 0)
                return true;
        return false;
    }

    TTempTree tree;
    TFakeProgressBar bar;
    TFakeLog log;
};

} // namespace tallyrun::test
