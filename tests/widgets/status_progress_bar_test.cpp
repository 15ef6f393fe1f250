#include "widgets/status_progress_bar.h"

#include "base/list_index_error.h"
#include "widgets/panel_status_bar.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include <stdexcept>

namespace tallyrun::test {
namespace {

// The main window's status bar at design size: 792 x 18, panels 500 and 50.
struct StatusProgressBarTest : testing::Test
{
    StatusProgressBarTest()
    {
        form.resize(800, 100);
        statusBar = new TStatusBar(&form);
        statusBar->setGeometry(0, 82, 792, 18);
        statusBar->SetPanelWidths({500, 50});
    }
    QWidget form;
    TStatusBar* statusBar;
};

TEST_F(StatusProgressBarTest, SettingTheStatusBarPlacesTheBarOverPanelZero)
{
    TStatusProgressBar bar(&form);
    bar.SetPanelIndex(1); // no status bar yet: nothing to lay out over
    bar.SetStatusBar(statusBar);
    EXPECT_EQ(bar.PanelIndex(), 0);
    EXPECT_EQ(bar.parentWidget(), statusBar);
    EXPECT_EQ(bar.geometry(), QRect(0, 2, 500, 16));

    bar.SetPanelIndex(1);
    EXPECT_EQ(bar.geometry(), QRect(502, 2, 290, 16));
}

TEST_F(StatusProgressBarTest, FormReadingKeepsTheStoredPanel)
{
    auto* bar = new TStatusProgressBar(&form);
    bar->SetFormReading(true);
    bar->SetStatusBar(statusBar);
    bar->SetPanelIndex(1);
    bar->SetFormReading(false);
    EXPECT_EQ(bar->geometry(), QRect(502, 2, 290, 16));

    auto* second = new TStatusProgressBar(&form);
    second->SetFormReading(true);
    second->SetPanelIndex(1);
    second->SetStatusBar(statusBar);
    EXPECT_EQ(second->PanelIndex(), 1);
    EXPECT_EQ(second->geometry().left(), 502);
}

TEST_F(StatusProgressBarTest, OnePanelSpansTheWholeWidth)
{
    statusBar->SetPanelWidths({120});
    TStatusProgressBar bar;
    bar.SetStatusBar(statusBar);
    EXPECT_EQ(bar.geometry(), QRect(0, 2, 792, 16));
}

TEST_F(StatusProgressBarTest, TheBarKeepsItsPlaceUntilItsPanelIsSetAgain)
{
    TStatusProgressBar bar;
    bar.SetStatusBar(statusBar);
    bar.SetPanelIndex(1);
    statusBar->resize(1000, 18);
    EXPECT_EQ(bar.geometry().width(), 290);
    bar.SetPanelIndex(1);
    EXPECT_EQ(bar.geometry().width(), 498);
}

TEST_F(StatusProgressBarTest, AnUnknownPanelRaisesTheListErrorAndMovesNothing)
{
    TStatusProgressBar bar;
    bar.SetStatusBar(statusBar);
    EXPECT_THROW(bar.SetPanelIndex(2), EListError);
    EXPECT_THROW(bar.SetPanelIndex(-1), EListError);
    EXPECT_EQ(bar.PanelIndex(), 0);
    EXPECT_EQ(bar.geometry(), QRect(0, 2, 500, 16));
}

TEST_F(StatusProgressBarTest, WithoutAStatusBarTheBarReturnsToItsWindow)
{
    TStatusProgressBar bar(&form);
    bar.SetStatusBar(statusBar);
    const QRect placed = bar.geometry();
    bar.SetStatusBar(nullptr);
    EXPECT_EQ(bar.parentWidget(), &form);
    EXPECT_EQ(bar.geometry(), placed);
    bar.setParent(nullptr);
}

TEST(StatusProgressBarRange, PositionStaysWithinTheRange)
{
    TStatusProgressBar bar;
    bar.SetMin(0);
    bar.SetMax(3);
    bar.SetPosition(10);
    EXPECT_EQ(bar.Position(), 3);
    bar.SetMax(1);
    EXPECT_EQ(bar.Position(), 1);
    bar.SetPosition(-4);
    EXPECT_EQ(bar.Position(), 0);
    EXPECT_THROW(bar.SetMax(-1), std::invalid_argument);
    EXPECT_EQ(bar.Max(), 1);

    bar.SetMax(0); // an empty range is an empty bar, not a busy animation
    QApplication::processEvents();
    EXPECT_LT(bar.minimum(), bar.maximum());
    EXPECT_EQ(bar.value(), bar.minimum());
}

// Counts the paints that reach the bar.
class TCountingBar : public TStatusProgressBar
{
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        ++paints;
        TStatusProgressBar::paintEvent(e);
    }
};

// A bar on screen, its paints so far not counted.
struct StatusProgressBarPaints : testing::Test
{
    StatusProgressBarPaints()
    {
        bar.resize(290, 16);
        bar.show();
        QApplication::processEvents();
        bar.paints = 0;
    }
    TCountingBar bar;
};

TEST_F(StatusProgressBarPaints, ManyMovesBetweenTwoDispatchesCostOnePaint)
{
    bar.SetMax(100000);
    for (int i = 1; i <= 100000; ++i)
        bar.SetPosition(i);
    EXPECT_EQ(bar.paints, 0); // nothing is drawn synchronously
    QApplication::processEvents();
    EXPECT_LE(bar.paints, 1);
    EXPECT_EQ(bar.value(), 100000);
}

// A run moves the bar once per file and lets events run every millisecond or so: the bar is
// drawn at most every 30 ms meanwhile, and shows the last position once the moves stop.
TEST_F(StatusProgressBarPaints, MovesWhileEventsRunAreDrawnAtMostEveryThirtyMilliseconds)
{
    bar.SetMax(1000000);
    constexpr int kMs = 300;
    QElapsedTimer clock;
    clock.start();
    int position = 0;
    while (clock.elapsed() < kMs) {
        bar.SetPosition(++position);
        QApplication::processEvents();
    }
    EXPECT_LE(bar.paints, kMs / 30 + 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar.value() == position; }));
}

} // namespace
} // namespace tallyrun::test
