// The chart panel: plot geometry, depth, the drawing sequence's order, repaint requests and
// their coalescing through the buffer, the back wall, brushes, errors and mouse input.
#include "chart/chart_exception.h"
#include "chart_test_support.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

// A chart that records the order of titles and legend.
class RecordingChart : public TChart
{
public:
    explicit RecordingChart(std::vector<std::string>* log) : log_(log)
    {
        OnBeforeDrawSeries = [this](TCustomAxisPanel&) {
            log_->push_back("before series");
            plotBeforeSeries = PlotRect();
        };
        OnAfterDraw = [this](TCustomAxisPanel&) {
            log_->push_back("after");
            ++draws;
        };
    }
    TChartRect plotBeforeSeries;
    int draws = 0;
    bool projectedInLegend = true;

protected:
    void DrawLegend() override
    {
        log_->push_back("legend");
        projectedInLegend = Canvas().Projection().projectionOn;
    }
    void DrawTitle() override
    {
        log_->push_back("title");
        TChart::DrawTitle();
    }
    void DrawFoot() override
    {
        log_->push_back("foot");
        TChart::DrawFoot();
    }

private:
    std::vector<std::string>* log_;
};

class ChartPanel : public ::testing::Test
{
protected:
    void SetUp() override { SetUpProgramChart(chart); }
    // Draws the chart once into an image, as an export does.
    QImage Render() { return chart.RenderBitmap(clWhite, {0, 0, 590, 364}); }
    // Shows the chart and waits (bounded) for `draws` full drawings.
    bool WaitForDraws(int draws)
    {
        for (int i = 0; i < 200 && chart.draws < draws; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return chart.draws == draws;
    }

    TChartPalette palette;
    std::vector<std::string> log;
    RecordingChart chart{&log};
};

TEST_F(ChartPanel, PlotRectOfTheProgramsPanel)
{
    chart.SetBevelOuter(bvRaised);
    Render();
    EXPECT_EQ(chart.plotBeforeSeries, (TChartRect{18, 15, 572, 349}));
    EXPECT_EQ(chart.PlotWidth(), 554);
    EXPECT_EQ(chart.PlotCentreX(), 295);
    EXPECT_EQ(chart.PlotCentreY(), 182);

    chart.SetBorderWidth(2);
    Render();
    EXPECT_EQ(chart.plotBeforeSeries, (TChartRect{20, 17, 570, 347}));
}

TEST_F(ChartPanel, DepthOfTheView)
{
    RecordingSeries series(chart);
    Render();
    // Round(554 * 20 * 0.001 * 2) = 22, not orthogonal.
    EXPECT_EQ(chart.SeriesDepth(), 22);
    EXPECT_EQ(chart.DepthWidth(), 22);
    EXPECT_EQ(series.Depth.StartZ, 0);
    EXPECT_EQ(series.Depth.EndZ, 22);
    EXPECT_EQ(series.Depth.MiddleZ, 11);
    EXPECT_EQ(series.Depth.MarksDepth, 11);
    EXPECT_EQ(chart.Canvas().Projection().centreZ, 11);

    // Orthogonal: Round(554 * 15 * 0.001) = 8 taken from the right and the top.
    chart.SetChart3DPercent(15);
    chart.View3DOptions().SetOrthogonal(true);
    Render();
    EXPECT_EQ(chart.plotBeforeSeries, (TChartRect{18, 23, 564, 349}));

    chart.SetView3D(false);
    Render();
    EXPECT_EQ(chart.SeriesDepth(), 0);
    EXPECT_EQ(series.Depth.EndZ, 0);
}

TEST_F(ChartPanel, DrawingSequenceOrder)
{
    RecordingSeries series(chart, &log);
    series.BeforeDrawValues = [&](TChartSeries&) { log.push_back("BeforeDrawValues"); };
    series.AfterDrawValues = [&](TChartSeries&) { log.push_back("AfterDrawValues"); };
    Render();
    EXPECT_EQ(log, (std::vector<std::string>{"prepare", "legend", "title", "foot", "before series",
                                             "begin", "BeforeDrawValues", "points", "marks", "end",
                                             "AfterDrawValues", "after"}));
    EXPECT_FALSE(chart.projectedInLegend);
    EXPECT_TRUE(series.projectedWhileDrawing);

    log.clear();
    chart.Legend().SetAlignment(laBottom);
    series.marks = false;
    Render();
    EXPECT_EQ(log, (std::vector<std::string>{"prepare", "title", "foot", "legend", "before series",
                                             "begin", "BeforeDrawValues", "points", "end",
                                             "AfterDrawValues", "after"}));
}

TEST_F(ChartPanel, LegendSkippedWithoutActiveSeriesAndEmptySeriesDrawNothing)
{
    RecordingSeries series(chart, &log);
    series.SetActive(false);
    Render();
    EXPECT_EQ(log, (std::vector<std::string>{"title", "foot", "before series", "after"}));

    log.clear();
    series.SetActive(true);
    series.ClearPoints();
    chart.Legend().SetVisible(false);
    Render();
    EXPECT_EQ(log,
              (std::vector<std::string>{"prepare", "title", "foot", "before series", "after"}));
}

TEST_F(ChartPanel, OffsetsMoveTheProjectedDrawingOnly)
{
    RecordingSeries series(chart);
    series.colour = clWhite;
    chart.Title().SetVisible(true);
    chart.Title().SetText({"Title"});
    chart.Title().SetFontColor(0x00FF00);
    QFont font = chart.Title().Font();
    font.setStyleStrategy(QFont::NoAntialias);
    chart.Title().SetFont(font);
    const auto drawn = [](const QImage& image, QRgb colour) {
        std::vector<QPoint> points;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) == colour)
                    points.push_back({x, y});
        return points;
    };
    const QImage before = Render();
    chart.View3DOptions().SetHorizOffset(20);
    chart.View3DOptions().SetVertOffset(-7);
    const QImage after = Render();
    const std::vector<QPoint> boxBefore = drawn(before, 0xFF0000FF);
    const std::vector<QPoint> boxAfter = drawn(after, 0xFF0000FF);
    ASSERT_EQ(boxBefore.size(), 16u);
    ASSERT_EQ(boxAfter.size(), 16u);
    EXPECT_EQ(boxAfter.front() - boxBefore.front(), QPoint(20, -7));
    const std::vector<QPoint> titleBefore = drawn(before, 0xFF00FF00);
    EXPECT_FALSE(titleBefore.empty());
    EXPECT_EQ(drawn(after, 0xFF00FF00), titleBefore);

    // In 2D the offsets and the zoom change nothing.
    chart.SetView3D(false);
    const QImage flat = Render();
    chart.View3DOptions().SetZoom(300);
    chart.View3DOptions().SetHorizOffset(-50);
    EXPECT_EQ(Render(), flat);
}

TEST_F(ChartPanel, ChangesCoalesceIntoOnePaintAndEqualValuesRepaintNothing)
{
    RecordingSeries series(chart);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    ASSERT_TRUE(WaitForDraws(1));
    EXPECT_FALSE(chart.Canvas().Dirty());

    chart.View3DOptions().SetZoom(110);
    chart.View3DOptions().SetZoom(100);
    series.AddPoint("two", clAutomatic, 2);
    EXPECT_TRUE(chart.Canvas().Dirty());
    EXPECT_TRUE(WaitForDraws(2));

    chart.View3DOptions().SetZoom(100);
    chart.SetColor(clBtnFace);
    chart.Legend().SetVisible(true);
    EXPECT_FALSE(chart.Canvas().Dirty());
    // An unchanged chart is shown again by one copy of the buffer.
    chart.repaint();
    EXPECT_EQ(chart.draws, 2);
    chart.update();
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.draws, 2);
}

TEST_F(ChartPanel, UnchangedRepaintCopiesTheBufferAndExportForcesARedraw)
{
    RecordingSeries series(chart);
    QImage window(590, 364, QImage::Format_RGB32);
    window.fill(Qt::black);
    {
        QPainter painter(&window);
        chart.PaintRequest(&painter);
    }
    ASSERT_EQ(chart.draws, 1);
    QImage again(590, 364, QImage::Format_RGB32);
    again.fill(Qt::black);
    {
        QPainter painter(&again);
        chart.PaintRequest(&painter);
    }
    EXPECT_EQ(chart.draws, 1);
    EXPECT_EQ(again, window);

    QTemporaryDir dir;
    chart.ExportBitmapFile(QFile::encodeName(dir.filePath("c.bmp")).toStdString());
    EXPECT_EQ(chart.draws, 2);
    EXPECT_TRUE(chart.Canvas().Buffered());
    {
        QPainter painter(&again);
        chart.PaintRequest(&painter);
    }
    EXPECT_EQ(chart.draws, 3);
}

TEST_F(ChartPanel, PartlyCoveredWindowStillExportsTheWholeChart)
{
    QWidget window;
    window.resize(590, 364);
    chart.setParent(&window);
    chart.move(0, 0);
    RecordingSeries series(chart);
    QWidget cover(&window);
    cover.setGeometry(200, 0, 390, 364);
    cover.setAutoFillBackground(true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QTemporaryDir dir;
    const std::string path = QFile::encodeName(dir.filePath("c.bmp")).toStdString();
    chart.ExportBitmapFile(path);
    const std::string bmp = ReadFileBytes(QFile::decodeName(path.c_str()));
    ASSERT_FALSE(bmp.empty());
    EXPECT_EQ(BmpPixel(bmp, 589, 363), kHighlight);  // the covered bevel
    EXPECT_EQ(BmpPixel(bmp, 500, 100), 0xFFFF0000u); // the covered plot area
    chart.setParent(nullptr);
}

TEST_F(ChartPanel, BackWallIn2D)
{
    chart.SetView3D(false);
    // The program's wall: clear brush, invisible pen; nothing shows.
    EXPECT_EQ(Render().pixel(18, 15), kFace);
    EXPECT_EQ(Render().pixel(300, 200), kFace);

    // A coloured wall (its brush turns solid) with a visible pen.
    chart.SetFrame(TChartPen{});
    chart.SetBackColor(0x00FF00);
    EXPECT_EQ(chart.BackWall().BrushStyle(), Qt::SolidPattern);
    const QImage image = Render();
    // BoxRect(left, top, right + 1, bottom + 1): the outline on left..right, top..bottom.
    EXPECT_EQ(image.pixel(18, 15), 0xFF000000u);
    EXPECT_EQ(image.pixel(572, 349), 0xFF000000u);
    EXPECT_EQ(image.pixel(300, 200), 0xFF00FF00u);
    EXPECT_EQ(image.pixel(573, 349), kFace);
}

TEST_F(ChartPanel, PrepareBrush)
{
    TChartCanvas3D& canvas = chart.Canvas();
    chart.PrepareBrush(0x123456, Qt::SolidPattern, 0x654321);
    EXPECT_EQ(canvas.Brush().color, 0x123456u);
    EXPECT_EQ(canvas.BackgroundMode(), bkTransparent);
    chart.PrepareBrush(0x123456, Qt::CrossPattern, 0x654321);
    EXPECT_EQ(canvas.Brush().color, 0x123456u);
    EXPECT_EQ(canvas.BackgroundMode(), bkOpaque);
    EXPECT_EQ(canvas.BackgroundColour(), 0x654321u);
    chart.PrepareBrush(0x654321, Qt::CrossPattern, 0x654321);
    EXPECT_EQ(canvas.Brush().color, clBlack);
    chart.PrepareBrush(clBlack, Qt::HorPattern, clBlack);
    EXPECT_EQ(canvas.Brush().color, clWhite);
    EXPECT_EQ(canvas.Brush().style, Qt::HorPattern);
}

TEST_F(ChartPanel, OutOfRangePropertiesRaiseAndKeepTheirValue)
{
    for (const int bad : {0, 101, -5}) {
        try {
            chart.SetChart3DPercent(bad);
            ADD_FAILURE() << bad;
        } catch (const ChartException& error) {
            EXPECT_STREQ(error.what(), "３次元効果の割合は 1 から 100 の間でなければなりません");
        }
    }
    EXPECT_EQ(chart.Chart3DPercent(), 20);
    chart.SetChart3DPercent(100);
    EXPECT_EQ(chart.Chart3DPercent(), 100);

    chart.SetMaxPointsPerPage(1);
    EXPECT_THROW(chart.SetMaxPointsPerPage(-1), ChartException);
    EXPECT_EQ(chart.MaxPointsPerPage(), 1);
}

TEST_F(ChartPanel, MonochromeRepaintsIntoAMonochromeBuffer)
{
    RecordingSeries series(chart);
    QImage window(590, 364, QImage::Format_RGB32);
    QPainter painter(&window);
    chart.PaintRequest(&painter);
    chart.SetMonochrome(true);
    EXPECT_TRUE(chart.Canvas().Dirty());
    chart.PaintRequest(&painter);
    EXPECT_EQ(chart.Canvas().Buffer().format(), QImage::Format_Mono);
    EXPECT_EQ(chart.draws, 2);
}

TEST_F(ChartPanel, MouseHandlersRunBeforeThePanelsOwnHandling)
{
    RecordingSeries series(chart);
    chart.SetAllowZoom(false);
    chart.SetAllowPanning(pmNone);
    chart.OnMouseDown = [&](Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        log.push_back("down " + std::to_string(x) + "," + std::to_string(y));
    };
    chart.OnClickBackground = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log.push_back("background");
    };
    chart.OnClick = [&] { log.push_back("click"); };
    chart.OnMouseUp = [&](Qt::MouseButton, Qt::KeyboardModifiers, int, int) {
        log.push_back("up");
    };
    chart.OnMouseWheelUp = [&](Qt::KeyboardModifiers, int, int) { log.push_back("wheel up"); };
    chart.setCursor(Qt::PointingHandCursor);
    chart.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&chart));
    log.clear();
    QTest::mouseClick(&chart, Qt::LeftButton, {}, QPoint(40, 30));
    EXPECT_EQ(log, (std::vector<std::string>{"down 40,30", "background", "click", "up"}));
    EXPECT_FALSE(chart.Zoom().Active);

    log.clear();
    QWheelEvent wheel(QPointF(40, 30), chart.mapToGlobal(QPointF(40, 30)), {}, {0, 240},
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&chart, &wheel);
    EXPECT_EQ(log, (std::vector<std::string>{"wheel up", "wheel up"}));
    EXPECT_EQ(chart.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ChartPanel, WheelStepsAddUpSmallDeltas)
{
    int up = 0, down = 0;
    chart.OnMouseWheelUp = [&](Qt::KeyboardModifiers, int, int) { ++up; };
    chart.OnMouseWheelDown = [&](Qt::KeyboardModifiers, int, int) { ++down; };
    struct Case
    {
        const char* name;
        std::vector<int> deltas;
        int up, down;
    };
    const Case cases[] = {
        {"touchpad: eight deltas of 15 are one step", {15, 15, 15, 15, 15, 15, 15, 15}, 1, 0},
        {"seven deltas of 15 are none yet", {15, 15, 15, 15, 15, 15, 15}, 0, 0},
        {"the remainder carries over", {100, 100, 100}, 2, 0},
        {"a notch each way", {120, -120}, 1, 1},
        {"a turn back drops the other way's remainder", {100, -100, -20}, 0, 1},
        {"two notches in one event", {-240}, 0, 2},
        {"horizontal scrolling", {0, 0}, 0, 0},
    };
    for (const Case& c : cases) {
        TChart fresh;
        fresh.OnMouseWheelUp = chart.OnMouseWheelUp;
        fresh.OnMouseWheelDown = chart.OnMouseWheelDown;
        up = down = 0;
        for (const int delta : c.deltas) {
            QWheelEvent wheel(QPointF(4, 3), QPointF(4, 3), {}, {0, delta}, Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(&fresh, &wheel);
        }
        EXPECT_EQ(up, c.up) << c.name;
        EXPECT_EQ(down, c.down) << c.name;
    }
}

TEST_F(ChartPanel, ResizeRecreatesTheBufferAtTheNewSize)
{
    RecordingSeries series(chart);
    QImage window(590, 364, QImage::Format_RGB32);
    QPainter painter(&window);
    chart.PaintRequest(&painter);
    chart.resize(300, 200); // hidden: no resize event comes before the paint
    chart.PaintRequest(&painter);
    EXPECT_EQ(chart.Canvas().Buffer().size(), QSize(300, 200));
    EXPECT_EQ(chart.draws, 2);
}

TEST_F(ChartPanel, DegenerateSizesAndMarginsPaintWithoutHarm)
{
    RecordingSeries series(chart);
    chart.SetMarginLeft(200);
    chart.SetMarginTop(-50);
    Render();
    // The plot rectangle is held inside the panel and never turned inside out.
    EXPECT_GE(chart.plotBeforeSeries.left, 0);
    EXPECT_GE(chart.plotBeforeSeries.top, 0);
    EXPECT_GT(chart.PlotWidth(), 0);
    EXPECT_GT(chart.PlotHeight(), 0);

    QTemporaryDir dir;
    for (const QSize size : {QSize(1, 1), QSize(3, 0), QSize(0, 0)}) {
        chart.resize(size);
        QImage window(10, 10, QImage::Format_RGB32);
        QPainter painter(&window);
        chart.PaintRequest(&painter);
        chart.PaintRequest(&painter);
        const std::string path = QFile::encodeName(dir.filePath("tiny.bmp")).toStdString();
        chart.ExportBitmapFile(path);
        const std::string bmp = ReadFileBytes(QFile::decodeName(path.c_str()));
        ASSERT_GE(bmp.size(), 54u);
        // A panel without area gives a picture without pixels.
        const bool empty = size.isEmpty();
        EXPECT_EQ(Read32(bmp, 18), empty ? 0u : static_cast<std::uint32_t>(size.width()));
        EXPECT_EQ(Read32(bmp, 22), empty ? 0u : static_cast<std::uint32_t>(size.height()));
    }
}

TEST(ChartPanelLifetime, DestroyingTheChartDetachesItsSeries)
{
    auto chart = std::make_unique<TChart>();
    RecordingSeries series(*chart);
    EXPECT_EQ(chart->SeriesList().size(), 1u);
    chart.reset();
    EXPECT_EQ(series.ParentChart(), nullptr);
    series.AddPoint("after", clAutomatic, 3); // no chart to repaint any more
}

} // namespace
} // namespace tallyrun::test
