// The pie on a real chart: slice order and colours on rendered pixels, rotation, explode,
// mark placement, arrow colours, box sizes and zoomed fonts, mark texts over hatched slices,
// the other slice, hit-testing and the chart's look while the pie is on it.
#include "chart/pie_series.h"

#include "chart/pie_exception.h"
#include "chart_test_support.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace tallyrun::test {
namespace {

constexpr double pi = std::numbers::pi;

class PieSeries : public ::testing::Test
{
protected:
    void SetUp() override { SetUpProgramChart(chart, pie); }

    void Add(std::initializer_list<double> values)
    {
        for (const double v : values)
            pie.AddPoint("", clAutomatic, v);
    }
    QImage Render() { return chart.RenderBitmap(clWhite, {0, 0, 590, 364}); }
    // The colour at `fraction` of the radii along `angle` (before rotation), on the drawn cap.
    TColor ColourAt(const QImage& image, double angle, double fraction = 0.5)
    {
        const TPieCircle& c = pie.Circle();
        const double a = angle + pie.RotationRadians();
        const int x = c.CenterX + int(std::lround(c.RadiusX * fraction * std::cos(a)));
        const int y = c.CenterY - int(std::lround(c.RadiusY * fraction * std::sin(a)));
        const TScreenPoint p = chart.Canvas().ProjectPoint(x, y, pie.Depth.EndZ);
        return QColorToColor(image.pixelColor(p.x, p.y));
    }

    TChartPalette palette;
    TChart chart;
    TPieSeries pie;
};

TEST_F(PieSeries, LargestSliceIsRedFromThreeOClockOverTheTop)
{
    Add({1, 1, 2});
    for (const bool in3D : {true, false}) {
        chart.SetView3D(in3D);
        const QImage image = Render();
        EXPECT_EQ(pie.PieValues()[0], 2);
        EXPECT_EQ(ColourAt(image, 0.15), clRed) << "3D " << in3D;
        EXPECT_EQ(ColourAt(image, pi / 2), clRed) << "3D " << in3D;
        EXPECT_EQ(ColourAt(image, pi - 0.15), clRed) << "3D " << in3D;
        EXPECT_EQ(ColourAt(image, 1.25 * pi), clGreen) << "3D " << in3D;
        EXPECT_EQ(ColourAt(image, 2 * pi - 0.15), clYellow) << "3D " << in3D;
    }
}

TEST_F(PieSeries, EqualValuesTakeTheQuicksortOrder)
{
    // Added A, B, C, D; the engine's quicksort leaves C, D, A, B (a stable sort: A first).
    const TColor colours[] = {clBlue, clLime, clRed, clFuchsia};
    const char* labels[] = {"A", "B", "C", "D"};
    for (int i = 0; i < 4; ++i)
        pie.AddPoint(labels[i], colours[i], 5);
    const QImage image = Render();
    EXPECT_EQ(pie.PointLabel(0), "C");
    EXPECT_EQ(ColourAt(image, pi / 4), clRed);
    EXPECT_EQ(ColourAt(image, 3 * pi / 4), clFuchsia);
    EXPECT_EQ(ColourAt(image, 5 * pi / 4), clBlue);
    EXPECT_EQ(ColourAt(image, 7 * pi / 4), clLime);
}

TEST_F(PieSeries, WholeCircleCases)
{
    struct Case
    {
        const char* name;
        std::vector<double> values;
    };
    const Case cases[] = {{"one point", {42}}, {"one point of 0", {0}}, {"all zero", {0, 0, 0}}};
    for (const Case& c : cases)
        for (const bool in3D : {true, false}) {
            pie.ClearPoints();
            for (const double v : c.values)
                pie.AddPoint("", clAutomatic, v);
            chart.SetView3D(in3D);
            const QImage image = Render();
            for (const double a : {0.3, pi / 2, pi, 1.5 * pi, 2 * pi - 0.3})
                EXPECT_EQ(ColourAt(image, a), clRed) << c.name << " 3D " << in3D << " at " << a;
        }
}

TEST_F(PieSeries, RotationAngle)
{
    pie.SetRotationAngle(400);
    EXPECT_EQ(pie.RotationAngle(), 40);
    try {
        pie.SetRotationAngle(-1);
        ADD_FAILURE() << "no exception";
    } catch (const PieException& e) {
        EXPECT_EQ(std::string(e.what()), "回転の角度は 0 から 359 の間でなければなりません");
    }
    EXPECT_EQ(pie.RotationAngle(), 40);

    // Five equal slices rotated by 90: the first starts at twelve o'clock.
    pie.SetRotationAngle(90);
    Add({1, 1, 1, 1, 1});
    chart.SetView3D(false);
    const QImage image = Render();
    EXPECT_EQ(QColorToColor(image.pixelColor(pie.Circle().CenterX - 5,
                                             pie.Circle().CenterY - pie.Circle().RadiusY / 2)),
              clRed);
    EXPECT_EQ(QColorToColor(image.pixelColor(pie.Circle().CenterX + 5,
                                             pie.Circle().CenterY - pie.Circle().RadiusY / 2)),
              clWhite);
}

TEST_F(PieSeries, ExplodeBiggestIn3D)
{
    pie.Marks().SetVisible(false);
    Add({3, 1});
    Render();
    const TPieCircle whole = pie.Circle();
    pie.SetExplodeBiggest(30);
    EXPECT_EQ(pie.ExplodedSlice(0), 30);
    const QImage image = Render();
    // The biggest slice's middle is at 3pi/4: pushed up and left by 30 % of the radii, the
    // whole pie shrunk by half that push on each side.
    const int dx = int(std::nearbyint(whole.RadiusX * 0.3 * std::cos(0.75 * pi)));
    const int dy = int(std::nearbyint(whole.RadiusY * 0.3 * std::sin(0.75 * pi)));
    TPieCircle expected = whole;
    expected.CircleBox.left += std::abs(dx) / 2;
    expected.CircleBox.right -= std::abs(dx) / 2;
    expected.CircleBox.top += std::abs(dy) / 2;
    expected.CircleBox.bottom -= std::abs(dy) / 2;
    expected.NormalizeCircleRect();
    expected.ComputeRadii(0, 0);
    EXPECT_EQ(pie.Circle().CircleBox, expected.CircleBox);
    // The gap the explode opens along the biggest slice's start edge shows the background.
    const TPieCircle& c = pie.Circle();
    const TScreenPoint gap =
        chart.Canvas().ProjectPoint(c.CenterX + c.RadiusX / 2, c.CenterY + 1, pie.Depth.EndZ);
    EXPECT_NE(QColorToColor(image.pixelColor(gap.x, gap.y - 4)), clRed);
    EXPECT_EQ(ColourAt(image, 0.75 * pi), clRed);
}

TEST_F(PieSeries, MarkBoxesAtTwelveAndThreeOClock)
{
    chart.SetView3D(false);
    pie.AddPoint("top", clAutomatic, 1);
    pie.AddPoint("bottom", clAutomatic, 1);
    Render();
    const TSeriesMarkPosition* twelve = pie.Marks().Positions().Find(0);
    ASSERT_NE(twelve, nullptr);
    EXPECT_EQ(twelve->ArrowTo.x, pie.Circle().CenterX);
    EXPECT_EQ(twelve->LeftTop, (TScreenPoint{twelve->ArrowTo.x - twelve->Width,
                                             twelve->ArrowTo.y - twelve->Height}));
    EXPECT_EQ(twelve->ArrowFrom,
              (TScreenPoint{pie.Circle().CenterX, pie.Circle().CenterY - pie.Circle().RadiusY}));

    pie.SetRotationAngle(270);
    Render();
    const TSeriesMarkPosition* three = pie.Marks().Positions().Find(0);
    EXPECT_EQ(three->ArrowTo.y, pie.Circle().CenterY);
    EXPECT_EQ(three->LeftTop, (TScreenPoint{three->ArrowTo.x, three->ArrowTo.y - three->Height}));
}

TEST_F(PieSeries, ArrowOfAWhiteSliceIsBlack)
{
    chart.SetView3D(false);
    Add({1, 1, 1, 1, 1});
    const QImage image = Render();
    // Looks around the middle of a mark's arrow for a pixel of `colour`.
    const auto arrowHas = [&](int index, TColor colour) {
        const TSeriesMarkPosition* p = pie.Marks().Positions().Find(index);
        const int x = (p->ArrowFrom.x + p->ArrowTo.x) / 2, y = (p->ArrowFrom.y + p->ArrowTo.y) / 2;
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (QColorToColor(image.pixelColor(x + dx, y + dy)) == colour)
                    return true;
        return false;
    };
    EXPECT_EQ(pie.PointColor(4), clWhite);
    EXPECT_TRUE(arrowHas(4, clBlack));
    EXPECT_FALSE(arrowHas(4, clWhite));
    EXPECT_TRUE(arrowHas(0, clWhite));
}

TEST_F(PieSeries, MarkBoxSizeFollowsLinesAndZoom)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    pie.Marks().SetFont(font);
    pie.Marks().SetStyle(smsLabel);
    const auto metrics = [&](int pixels) {
        QFont f = font;
        f.setPixelSize(pixels);
        return QFontMetrics(f);
    };
    struct Case
    {
        const char* label;
        int lines;
        const char* widest;
        bool in3D;
        int zoom;
        int pixels;
    };
    // The 12-pixel font is 9 points: a zoom scales the points, rounded halves to even, and the
    // points give the pixels (4.5 points at 50 % round to 4, drawn 5 pixels high).
    const Case cases[] = {
        {"ab\rthe longer line", 2, "the longer line", true, 100, 12},
        {"ab\rthe longer line", 2, "the longer line", true, 50, 5},
        {"ab\rthe longer line", 2, "the longer line", true, 80, 9},
        {"ab\rthe longer line", 2, "the longer line", true, 120, 15},
        {"ab\rthe longer line", 2, "the longer line", true, 150, 19},
        {"ab\rthe longer line", 2, "the longer line", false, 50, 12},
        {"ab\rthe longer line", 2, "the longer line", true, 1, 1},
        // An empty last line takes its room in the box although nothing is written there.
        {"tail\r", 2, "tail", true, 100, 12},
    };
    for (const Case& c : cases) {
        pie.ClearPoints();
        pie.AddPoint(c.label, clAutomatic, 1);
        chart.SetView3D(c.in3D);
        chart.View3DOptions().SetZoom(c.zoom);
        Render();
        const TSeriesMarkPosition* p = pie.Marks().Positions().Find(0);
        const QFontMetrics m = metrics(c.pixels);
        // The lines, the widest one plus "W", each plus twice the frame's width.
        EXPECT_EQ(p->Height, c.lines * m.height() + 2) << c.label << " " << c.in3D << " " << c.zoom;
        EXPECT_EQ(p->Width,
                  m.horizontalAdvance(QString::fromUtf8(c.widest)) + m.horizontalAdvance("W") + 2)
            << c.label << " " << c.in3D << " " << c.zoom;
    }
}

TEST_F(PieSeries, MarkTextOfAHatchedSliceSitsOnTheMarksOwnColour)
{
    chart.SetView3D(false);
    pie.SetUsePatterns(true);
    pie.SetCircleBackColor(clLime);
    pie.AddPoint("WWWWWWWW", clAutomatic, 1);
    const QImage image = Render();
    // Inside the frame the box shows its back colour and the text; the colour behind the
    // slice's hatch never shows there.
    const TSeriesMarkPosition* p = pie.Marks().Positions().Find(0);
    ASSERT_NE(p, nullptr);
    const TColor back = pie.Marks().BackColor();
    int backPixels = 0, hatchBackground = 0;
    for (int y = p->LeftTop.y + 1; y < p->LeftTop.y + p->Height - 1; ++y)
        for (int x = p->LeftTop.x + 1; x < p->LeftTop.x + p->Width - 1; ++x) {
            const QRgb pixel = image.pixel(x, y);
            backPixels += QColorToColor(QColor::fromRgb(pixel)) == back;
            hatchBackground += QColorToColor(QColor::fromRgb(pixel)) == clLime;
        }
    EXPECT_GT(backPixels, 0);
    EXPECT_EQ(hatchBackground, 0);
}

TEST_F(PieSeries, ChartLookFollowsThePie)
{
    TChart other;
    const auto isPieLook = [&] {
        return !other.AxisVisible() && !other.ClipPoints() && !other.View3DWalls() &&
               !other.Frame().Visible && other.BackWall().BrushStyle() == Qt::NoBrush &&
               !other.AllowZoom() && other.AllowPanning() == pmNone;
    };
    const auto isPlainLook = [&] {
        return other.AxisVisible() && other.ClipPoints() && other.View3DWalls() &&
               other.Frame().Visible && other.BackWall().BrushStyle() == Qt::SolidPattern &&
               other.AllowZoom() && other.AllowPanning() == pmBoth;
    };
    {
        TPieSeries round;
        round.SetParentChart(&other);
        EXPECT_TRUE(isPieLook());
        EXPECT_EQ(other.View3DOptions().Elevation(), 315);
        EXPECT_EQ(other.View3DOptions().Rotation(), 360);
        EXPECT_FALSE(other.View3DOptions().Orthogonal());
        round.SetActive(false);
        EXPECT_TRUE(isPlainLook());
        round.SetActive(true);
        EXPECT_TRUE(isPieLook());
        round.SetParentChart(nullptr);
        EXPECT_TRUE(isPlainLook());
        round.SetParentChart(&other);
        EXPECT_TRUE(isPieLook());
    }
    // Destroyed while on the chart.
    EXPECT_TRUE(isPlainLook());
    EXPECT_TRUE(other.SeriesList().empty());
}

TEST_F(PieSeries, OtherSliceGroupsSmallPointsAndTheLegendSkipsThem)
{
    pie.AddPoint("a", clAutomatic, 10);
    pie.AddPoint("b", clAutomatic, 1);
    pie.AddPoint("c", clAutomatic, 5);
    pie.AddPoint("d", clAutomatic, 1);
    pie.OtherSlice().SetStyle(poBelowValue);
    pie.OtherSlice().SetValue(2);
    for (int paint = 0; paint < 2; ++paint) {
        Render();
        ASSERT_EQ(pie.PointCount(), 5) << "paint " << paint;
        EXPECT_EQ(pie.PointLabel(4), "その他");
        EXPECT_EQ(pie.PieValues()[4], 2);
        EXPECT_TRUE(pie.InOtherSlice(2));
        EXPECT_TRUE(pie.InOtherSlice(3));
        EXPECT_FALSE(pie.InOtherSlice(4));
        EXPECT_EQ(pie.PieValues().AbsValueSum(), 17);
        EXPECT_EQ(pie.LegendItemCount(), 3);
        EXPECT_EQ(pie.LegendItemToPoint(2), 4);
        EXPECT_EQ(pie.LegendItemToPoint(7), 7);
        // Folded points have no width; the group's share closes the circle.
        EXPECT_EQ(pie.SliceAngles()[2].Start, pie.SliceAngles()[2].End);
        EXPECT_NEAR(pie.SliceAngles()[4].End - pie.SliceAngles()[4].Start, 2 * pi * 2 / 17, 1e-12);
        EXPECT_EQ(pie.Marks().Positions().Find(2)->Width, 0);
    }
    // Percent of the total: below 10 % (1.6 of 16) folds b and d again.
    pie.OtherSlice().SetStyle(poBelowPercent);
    pie.OtherSlice().SetValue(10);
    Render();
    EXPECT_EQ(pie.PointCount(), 5);
    EXPECT_EQ(pie.LegendItemCount(), 3);
}

TEST_F(PieSeries, SliceAtPoint)
{
    chart.SetView3D(false);
    Add({2, 1, 1});
    Render();
    const TPieCircle& c = pie.Circle();
    EXPECT_EQ(pie.SliceAtPoint(c.CenterX, c.CenterY - c.RadiusY / 2), 0);
    EXPECT_EQ(pie.SliceAtPoint(c.CenterX - c.RadiusX / 2, c.CenterY + 5), 1);
    EXPECT_EQ(pie.SliceAtPoint(c.CenterX + c.RadiusX / 2, c.CenterY + 5), 2);
    EXPECT_EQ(pie.SliceAtPoint(c.CenterX + c.RadiusX + 3, c.CenterY + 5), -1);
}

TEST_F(PieSeries, CircleLeavesRoomForTheMarks)
{
    Add({3, 1});
    Render();
    const TChartRect& plot = chart.PlotRect();
    const TChartRect& box = pie.Circle().CircleBox;
    EXPECT_GE(box.top, plot.top + 8 + 2 + 1);
    EXPECT_LE(box.bottom, plot.bottom - 8 - 2 - 1);
    EXPECT_EQ(pie.Circle().RadiusX, pie.Circle().RadiusY);
    EXPECT_EQ(pie.Circle().CenterX, (plot.left + plot.right) / 2);

    pie.Marks().SetVisible(false);
    Render();
    EXPECT_EQ(pie.Circle().CircleBox.top, plot.top);
}

} // namespace
} // namespace tallyrun::test
