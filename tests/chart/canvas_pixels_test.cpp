// The drawing surface's primitives on an off-screen image, pixel by pixel, and its frame and
// buffer handling.
#include "chart/chart_canvas3d.h"
#include "chart/view3d_options.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <numbers>

namespace tallyrun::test {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kShaded = 0xFFDFDFDF; // white darkened by 32
constexpr TColor kRedColor = 0x0000FF;

// A white image with a painter on it that the canvas draws through.
struct Surface
{
    explicit Surface(int w, int h) : image(w, h, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        painter.begin(&image);
        canvas.SetTarget(&painter);
    }
    QImage Done()
    {
        canvas.SetTarget(nullptr);
        painter.end();
        return image;
    }
    QImage image;
    QPainter painter;
    TChartCanvas3D canvas{nullptr};
};

int CountPixels(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour;
    return count;
}

TEST(CanvasPixels, BoxRectCoversLeftToRightMinusOne)
{
    Surface s(16, 16);
    s.canvas.Brush() = {kRedColor, Qt::SolidPattern};
    s.canvas.BoxRect(2, 3, 10, 8);
    s.canvas.Pen().style = Qt::NoPen;
    s.canvas.BoxRect(11, 10, 14, 12);
    const QImage image = s.Done();
    EXPECT_EQ(image.pixel(2, 3), kBlack);
    EXPECT_EQ(image.pixel(9, 7), kBlack);
    EXPECT_EQ(image.pixel(9, 3), kBlack);
    EXPECT_EQ(image.pixel(5, 5), kRed);
    EXPECT_EQ(image.pixel(10, 7), kWhite);
    EXPECT_EQ(image.pixel(9, 8), kWhite);
    EXPECT_EQ(image.pixel(1, 3), kWhite);
    // Without a pen the fill reaches the same edges.
    EXPECT_EQ(image.pixel(11, 10), kRed);
    EXPECT_EQ(image.pixel(13, 11), kRed);
    EXPECT_EQ(image.pixel(14, 11), kWhite);
    EXPECT_EQ(image.pixel(13, 12), kWhite);
    EXPECT_EQ(CountPixels(image, kRed), 6 * 3 + 3 * 2);
}

TEST(CanvasPixels, FillAreaAndLines)
{
    Surface s(20, 20);
    s.canvas.Brush() = {kRedColor, Qt::SolidPattern};
    s.canvas.FillArea({1, 1, 5, 4});
    s.canvas.HorizontalLine(2, 8, 10); // the end point is left out
    s.canvas.VerticalLine(15, 2, 6);
    s.canvas.HorizontalLine(8, 2, 12); // right to left: 8 down to 3
    s.canvas.VerticalLine(18, 8, 4);   // bottom to top: 8 up to 5
    s.canvas.StraightLine(1, 14, 1, 14);
    const QImage image = s.Done();
    EXPECT_EQ(image.pixel(8, 12), kBlack);
    EXPECT_EQ(image.pixel(3, 12), kBlack);
    EXPECT_EQ(image.pixel(2, 12), kWhite);
    EXPECT_EQ(image.pixel(18, 8), kBlack);
    EXPECT_EQ(image.pixel(18, 5), kBlack);
    EXPECT_EQ(image.pixel(18, 4), kWhite);
    EXPECT_EQ(CountPixels(image, kRed), 4 * 3);
    EXPECT_EQ(image.pixel(1, 1), kRed);
    EXPECT_EQ(image.pixel(4, 3), kRed);
    EXPECT_EQ(image.pixel(2, 10), kBlack);
    EXPECT_EQ(image.pixel(7, 10), kBlack);
    EXPECT_EQ(image.pixel(8, 10), kWhite);
    EXPECT_EQ(image.pixel(15, 5), kBlack);
    EXPECT_EQ(image.pixel(15, 6), kWhite);
    EXPECT_EQ(CountPixels(image, kBlack), 6 + 4 + 6 + 4);
}

TEST(CanvasPixels, ChartPenStyles)
{
    Surface s(20, 6);
    TChartPen pen;
    pen.Visible = false;
    s.canvas.ApplyChartPen(pen);
    s.canvas.HorizontalLine(0, 20, 1);
    pen.Visible = true;
    pen.SmallDots = true;
    pen.Color = kRedColor;
    s.canvas.ApplyChartPen(pen);
    s.canvas.HorizontalLine(0, 20, 3);
    const QImage image = s.Done();
    EXPECT_EQ(CountPixels(image, kBlack), 0);
    int red = 0;
    for (int x = 0; x < 20; ++x) {
        red += image.pixel(x, 3) == kRed;
        if (x > 0) {
            EXPECT_FALSE(image.pixel(x, 3) == kRed && image.pixel(x - 1, 3) == kRed) << x;
        }
    }
    EXPECT_EQ(red, 10);
}

TEST(CanvasPixels, FlatPieIsTheCounterClockwiseWedge)
{
    Surface s(41, 41);
    s.canvas.Brush() = {kRedColor, Qt::SolidPattern};
    s.canvas.Pen().style = Qt::NoPen;
    // From three o'clock counter-clockwise to twelve o'clock: the upper right quarter.
    s.canvas.FlatPieSlice(0, 0, 41, 41, 40, 20, 20, 0);
    const QImage image = s.Done();
    EXPECT_EQ(image.pixel(28, 12), kRed);
    EXPECT_EQ(image.pixel(35, 18), kRed);
    EXPECT_EQ(image.pixel(22, 5), kRed);
    EXPECT_EQ(image.pixel(12, 12), kWhite);
    EXPECT_EQ(image.pixel(28, 28), kWhite);
    EXPECT_EQ(image.pixel(12, 28), kWhite);
    EXPECT_EQ(image.pixel(38, 3), kWhite); // outside the ellipse
}

TEST(CanvasPixels, FlatPieWithOneRadialIsTheWholeEllipse)
{
    Surface s(41, 21);
    s.canvas.Brush() = {kRedColor, Qt::SolidPattern};
    s.canvas.FlatPieSlice(0, 0, 41, 21, 40, 10, 40, 10);
    const QImage image = s.Done();
    for (const auto& [x, y] : {std::pair{5, 10}, {35, 10}, {20, 3}, {20, 17}, {20, 10}})
        EXPECT_EQ(image.pixel(x, y), kRed) << x << "," << y;
    EXPECT_EQ(image.pixel(40, 0), kWhite);
    EXPECT_EQ(image.pixel(40, 10), kBlack); // the box's last column holds the outline
    EXPECT_EQ(CountPixels(image, kBlack) + CountPixels(image, kRed) + CountPixels(image, kWhite),
              41 * 21);
}

TEST(CanvasPixels, OpaqueHatchShowsTheBackgroundColour)
{
    Surface s(16, 16);
    s.canvas.Pen().style = Qt::NoPen;
    s.canvas.Brush() = {kRedColor, Qt::CrossPattern};
    s.canvas.SetBackgroundMode(bkOpaque);
    s.canvas.SetBackgroundColour(0x00FF00);
    s.canvas.FillArea({0, 0, 16, 16});
    const QImage image = s.Done();
    EXPECT_EQ(CountPixels(image, kWhite), 0);
    EXPECT_GT(CountPixels(image, 0xFF00FF00), 0);
    EXPECT_GT(CountPixels(image, kRed), 0);
}

TEST(CanvasPixels, TextIsPlacedByItsTopLeftCorner)
{
    Surface s(80, 40);
    s.canvas.Font().setPixelSize(14);
    const int height = s.canvas.LineHeight();
    ASSERT_GT(height, 0);
    EXPECT_GT(s.canvas.MeasureWidth("WWW"), s.canvas.MeasureWidth("W"));
    s.canvas.PutText(10, 12, "W");
    const QImage image = s.Done();
    int top = 99, left = 99, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
            }
    EXPECT_GE(top, 12);
    EXPECT_LT(bottom, 12 + height);
    EXPECT_GE(left, 10);
    EXPECT_LT(left, 13);
}

// A canvas in this program's view (45 degrees above, zoom 100, no perspective), drawing
// straight onto the image with the projection's fixed point at (100, 100, 10).
struct ProjectedSurface : Surface
{
    ProjectedSurface() : Surface(200, 200)
    {
        options.SetElevation(315);
        options.SetRotation(360);
        options.SetPerspective(0);
        options.SetOrthogonal(false);
        canvas.SetBuffered(false);
        canvas.BeginFrame(&painter, &options, 0, {0, 0, 200, 200}, true);
        canvas.SetProjectionCentre(20, {0, 0, 200, 200}, {50, 50, 150, 150});
        canvas.Brush() = {clWhite, Qt::SolidPattern};
    }
    TView3DOptions options{nullptr};
};

constexpr double kPi = std::numbers::pi;

TEST(CanvasPixels, BackHalfSliceGetsCapWithoutRim)
{
    ProjectedSurface s;
    s.canvas.SolidPieSlice(100, 100, 60, 60, 0, 20, 0, kPi, TSliceShading::DarkSides,
                           TSliceSides::Omitted);
    const QImage image = s.Done();
    EXPECT_EQ(CountPixels(image, kShaded), 0);
    EXPECT_GT(CountPixels(image, kBlack), 100); // the cap's outline
}

TEST(CanvasPixels, FrontHalfSliceGetsAShadedRim)
{
    ProjectedSurface s;
    s.canvas.SolidPieSlice(100, 100, 60, 60, 0, 20, kPi, 2 * kPi, TSliceShading::DarkSides,
                           TSliceSides::Omitted);
    const QImage image = s.Done();
    // The rim hangs below the cap's front edge: the cap's lowest point is at
    // y = 100 + round(0.70711 * (60 + 10)) - ..., the base 14 pixels lower.
    const TScreenPoint capFront = s.canvas.ProjectPoint(100, 160, 20);
    const TScreenPoint baseFront = s.canvas.ProjectPoint(100, 160, 0);
    ASSERT_EQ(baseFront.y - capFront.y, 14);
    EXPECT_EQ(image.pixel(100, capFront.y + 7), kShaded);
    EXPECT_EQ(image.pixel(100, capFront.y - 10), kWhite); // the cap
    EXPECT_GT(CountPixels(image, kShaded), 60 * 2 * 10);
}

TEST(CanvasPixels, ExplodedSliceShowsShadedSides)
{
    ProjectedSurface s;
    // A quarter from twelve to nine o'clock: its end side faces the viewer's left.
    s.canvas.SolidPieSlice(100, 100, 60, 60, 0, 20, kPi / 2, kPi, TSliceShading::DarkSides,
                           TSliceSides::Drawn);
    s.canvas.Brush().color = clWhite;
    const QImage image = s.Done();
    const TScreenPoint centreCap = s.canvas.ProjectPoint(100, 100, 20);
    const TScreenPoint centreBase = s.canvas.ProjectPoint(100, 100, 0);
    // Between the cap centre and the base centre lies the end side, shaded.
    EXPECT_EQ(image.pixel(70, (centreCap.y + centreBase.y) / 2 + 1), kShaded);
    EXPECT_GT(CountPixels(image, kShaded), 200);
}

TEST(CanvasPixels, UnshadedSlicesKeepTheirColour)
{
    ProjectedSurface s;
    s.canvas.Brush().color = kRedColor;
    s.canvas.SolidPieSlice(100, 100, 60, 60, 0, 20, 0, 2 * kPi, TSliceShading::Plain,
                           TSliceSides::Drawn);
    const QImage image = s.Done();
    EXPECT_EQ(CountPixels(image, kShaded), 0);
    EXPECT_EQ(CountPixels(image, 0xFFDF0000), 0);
    EXPECT_GT(CountPixels(image, kRed), 5000);
}

TEST(CanvasFrame, BufferedFrameIsCopiedOnceAndReusedUntilDirty)
{
    QImage window(50, 40, QImage::Format_RGB32);
    window.fill(Qt::black);
    QPainter windowPainter(&window);
    TChartCanvas3D canvas(nullptr);
    TView3DOptions options(nullptr);
    EXPECT_TRUE(canvas.Dirty());
    const TChartRect bounds = canvas.BeginFrame(&windowPainter, &options, 0, {5, 5, 35, 25}, true);
    EXPECT_EQ(bounds, (TChartRect{0, 0, 30, 20}));
    ASSERT_NE(canvas.Target(), &windowPainter);
    canvas.Brush() = {kRedColor, Qt::SolidPattern};
    canvas.FillArea(bounds);
    canvas.PresentFrame(&windowPainter, nullptr, {5, 5, 35, 25});
    EXPECT_FALSE(canvas.Dirty());
    EXPECT_EQ(canvas.Target(), nullptr);
    windowPainter.end();
    EXPECT_EQ(window.pixel(5, 5), kRed);
    EXPECT_EQ(window.pixel(34, 24), kRed);
    EXPECT_EQ(window.pixel(35, 24), kBlack);
    EXPECT_EQ(window.pixel(4, 5), kBlack);

    QImage second(30, 20, QImage::Format_RGB32);
    second.fill(Qt::black);
    QPainter secondPainter(&second);
    canvas.SetTarget(&secondPainter);
    EXPECT_TRUE(canvas.RepaintFromBuffer());
    canvas.MarkDirty();
    EXPECT_FALSE(canvas.RepaintFromBuffer());
    secondPainter.end();
    EXPECT_EQ(CountPixels(second, kRed), 30 * 20);
}

class RepaintCounter : public TChartRepaintOwner
{
public:
    void RequestChartRepaint() override { ++count; }
    int count = 0;
};

TEST(CanvasFrame, BufferAndMonochromeFlagsFreeTheBuffer)
{
    RepaintCounter owner;
    TChartCanvas3D canvas(&owner);
    QImage window(10, 10, QImage::Format_RGB32);
    QPainter painter(&window);
    canvas.BeginFrame(&painter, nullptr, 0, {0, 0, 10, 10}, false);
    canvas.PresentFrame(&painter, nullptr, {0, 0, 10, 10});
    EXPECT_FALSE(canvas.Buffer().isNull());
    canvas.SetBuffered(true);
    EXPECT_TRUE(canvas.Dirty());
    canvas.SetMonochrome(false);
    EXPECT_EQ(owner.count, 0);
    canvas.SetMonochrome(true);
    EXPECT_EQ(owner.count, 1);
    EXPECT_TRUE(canvas.Buffer().isNull());
    canvas.BeginFrame(&painter, nullptr, 0, {0, 0, 10, 10}, false);
    canvas.PresentFrame(&painter, nullptr, {0, 0, 10, 10});
    EXPECT_EQ(canvas.Buffer().format(), QImage::Format_Mono);
    canvas.SetBuffered(false);
    EXPECT_TRUE(canvas.Buffer().isNull());
    EXPECT_FALSE(canvas.RepaintFromBuffer());
}

TEST(CanvasFrame, FlatDrawingSuspendsTheProjection)
{
    TChartCanvas3D canvas(nullptr);
    TView3DOptions options(nullptr);
    options.SetOrthogonal(false);
    canvas.SetBuffered(false);
    canvas.BeginFrame(nullptr, &options, 0, {0, 0, 100, 100}, true);
    canvas.SetProjectionCentre(10, {0, 0, 100, 100}, {0, 0, 100, 100});
    const TScreenPoint projected = canvas.ProjectPoint(90, 10, 0);
    EXPECT_NE(projected, (TScreenPoint{90, 10}));
    canvas.BeginFlatDrawing();
    EXPECT_EQ(canvas.ProjectPoint(90, 10, 0), (TScreenPoint{90, 10}));
    canvas.EndFlatDrawing();
    EXPECT_EQ(canvas.ProjectPoint(90, 10, 0), projected);
}

} // namespace
} // namespace tallyrun::test
