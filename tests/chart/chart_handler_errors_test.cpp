// Errors raised by the handlers the chart calls: each is shown in the error box, the chart's
// own handling and the event loop go on, and a failing paint shows its error after the paint.
#include "base/handler_errors.h"
#include "chart_test_support.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <stdexcept>

namespace tallyrun::test {
namespace {

// A series that every press hits, so that the series' click is reported.
class EverywhereSeries : public RecordingSeries
{
public:
    using RecordingSeries::RecordingSeries;
    int Clicked(int, int) const override { return 0; }
};

class ChartHandlerErrors : public ::testing::Test
{
protected:
    void SetUp() override
    {
        previous_ = SetHandlerErrorDisplay([this](const QString& m) { errors << m; });
        // As in the program: no zoom or panning that a press would start and keep going.
        chart.SetAllowZoom(false);
        chart.SetAllowPanning(pmNone);
        chart.resize(200, 150);
        chart.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
        AssignMouseHandlers();
    }
    void TearDown() override { SetHandlerErrorDisplay(previous_); }

    // Each handler logs its name, then raises "<name> failed" while it is in `failing`.
    void AssignMouseHandlers()
    {
        using B = Qt::MouseButton;
        using M = Qt::KeyboardModifiers;
        chart.OnMouseDown = [this](B, M, int, int) { Called("down"); };
        chart.OnMouseMove = [this](M, int, int) { Called("move"); };
        chart.OnMouseUp = [this](B, M, int, int) { Called("up"); };
        chart.OnClick = [this] { Called("click"); };
        chart.OnDblClick = [this](B, M, int, int) { Called("double-click"); };
        chart.OnMouseWheelUp = [this](M, int, int) { Called("wheel up"); };
        chart.OnMouseWheelDown = [this](M, int, int) { Called("wheel down"); };
        chart.OnClickBackground = [this](B, M, int, int) { Called("background"); };
    }
    void Called(const std::string& name)
    {
        log.push_back(name);
        if (failing.count(name))
            throw std::runtime_error(name + " failed");
    }
    void Wheel(int delta)
    {
        QWheelEvent wheel(QPointF(40, 30), chart.mapToGlobal(QPointF(40, 30)), {}, {0, delta},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&chart, &wheel);
    }

    TChart chart;
    std::vector<std::string> log;
    std::set<std::string> failing;
    QStringList errors;

private:
    TErrorDisplay previous_;
};

TEST_F(ChartHandlerErrors, AFailingMouseHandlerIsShownAndThePanelGoesOn)
{
    struct Gesture
    {
        const char* name;
        std::function<void()> perform;
    };
    const Gesture gestures[] = {
        {"click", [&] { QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(40, 30)); }},
        {"double-click", [&] { QTest::mouseDClick(&chart, Qt::LeftButton, {}, QPoint(40, 30)); }},
        {"drag",
         [&] {
             QTest::mousePress(&chart, Qt::RightButton, {}, QPoint(40, 30));
             QTest::mouseMove(&chart, QPoint(60, 50));
             QTest::mouseRelease(&chart, Qt::RightButton, {}, QPoint(60, 50));
         }},
        {"wheel",
         [&] {
             Wheel(240);
             Wheel(-120);
         }},
    };
    EverywhereSeries series(chart);
    for (const bool onSeries : {false, true}) {
        series.SetActive(onSeries);
        if (onSeries)
            series.OnClick = [this](TChartSeries&, int, TSeriesMouseButton, unsigned, int, int) {
                Called("series click");
            };
        for (const Gesture& gesture : gestures) {
            const std::string name = std::string(gesture.name) + (onSeries ? " on a series" : "");
            failing.clear();
            log.clear();
            gesture.perform();
            const std::vector<std::string> expected = log;
            ASSERT_FALSE(expected.empty()) << name;
            // Each handler in turn fails: it is shown once per call, and everything else
            // happens as without the failure.
            for (const std::string& handler : std::set(expected.begin(), expected.end())) {
                failing = {handler};
                log.clear();
                errors.clear();
                gesture.perform();
                EXPECT_EQ(log, expected) << name << ", " << handler << " failing";
                const auto calls = std::count(expected.begin(), expected.end(), handler);
                EXPECT_EQ(errors.size(), calls) << name << ", " << handler << " failing";
                EXPECT_TRUE(errors.isEmpty() ||
                            errors.filter(QString::fromStdString(handler + " failed")).size() ==
                                errors.size())
                    << name << ", " << handler << " failing";
            }
        }
    }
}

TEST_F(ChartHandlerErrors, AFailingPaintIsShownAfterThePaintAndOnceUntilTheChartChanges)
{
    RecordingSeries series(chart);
    int draws = 0;
    bool raise = true;
    chart.OnAfterDraw = [&](TCustomAxisPanel&) {
        ++draws;
        if (raise)
            throw std::runtime_error("drawing failed");
    };
    chart.RequestChartRepaint();
    chart.repaint();
    EXPECT_EQ(draws, 1);
    // Not inside the paint: the box would open while the window's painter is active.
    EXPECT_TRUE(errors.isEmpty());
    EXPECT_EQ(chart.Canvas().Target(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !errors.isEmpty(); }, 2000));
    EXPECT_EQ(errors, QStringList{"drawing failed"});

    // Exposures of the unchanged chart do not try again.
    chart.repaint();
    chart.update();
    QCoreApplication::processEvents();
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(errors.size(), 1);

    // A change tries again, and shows the error again while it lasts.
    chart.SetColor(clWhite);
    ASSERT_TRUE(QTest::qWaitFor([&] { return errors.size() == 2; }, 2000));
    EXPECT_EQ(draws, 2);

    raise = false;
    chart.SetColor(clBlack);
    ASSERT_TRUE(QTest::qWaitFor([&] { return draws == 3; }, 2000));
    QCoreApplication::processEvents();
    EXPECT_EQ(errors.size(), 2);
    EXPECT_FALSE(chart.Canvas().Dirty());
}

TEST_F(ChartHandlerErrors, TheStandardErrorBoxShowsTheMessageAndTheLoopGoesOn)
{
    SetHandlerErrorDisplay({});
    failing = {"click"};
    QString shown;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    closer.start(10);
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(shown, "click failed");
    EXPECT_EQ(log, (std::vector<std::string>{"down", "background", "click", "up"}));

    bool later = false;
    QTimer::singleShot(0, [&] { later = true; });
    EXPECT_TRUE(QTest::qWaitFor([&] { return later; }, 2000));
}

} // namespace
} // namespace tallyrun::test
