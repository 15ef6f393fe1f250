// The projection arithmetic, the rounding helpers, colour darkening and the view options'
// repaint requests, without a window.
#include "chart/projection.h"

#include "chart/chart_color.h"
#include "chart/chart_math.h"
#include "chart/view3d_options.h"

#include <gtest/gtest.h>

#include <numbers>

namespace tallyrun::test {
namespace {

class RepaintCounter : public TChartRepaintOwner
{
public:
    void RequestChartRepaint() override { ++count; }
    int count = 0;
};

// A projection whose fixed point is (300, 200, 10) and lands on (300, 200).
TProjection CentredProjection(const TView3DOptions& options)
{
    TProjection projection;
    projection.Begin(&options, true);
    projection.SetCentre(20, 250, 150, 350, 250, &options);
    return projection;
}

TView3DOptions ProgramView()
{
    TView3DOptions options(nullptr);
    options.SetElevation(315);
    options.SetRotation(360);
    options.SetTilt(0);
    options.SetPerspective(0);
    options.SetOrthogonal(false);
    return options;
}

TEST(Projection, ProgramViewSeesThePieFromFortyFiveDegreesAbove)
{
    TView3DOptions options = ProgramView();
    TProjection p = CentredProjection(options);
    EXPECT_EQ(p.Project(400, 200, 10), (TScreenPoint{400, 200}));
    EXPECT_EQ(p.Project(300, 300, 10), (TScreenPoint{300, 271}));
    EXPECT_EQ(p.Project(300, 200, 30), (TScreenPoint{300, 186}));
    EXPECT_DOUBLE_EQ(p.m.mxx, 1);
    EXPECT_NEAR(p.m.myy, 0.70711, 1e-5);
    EXPECT_NEAR(p.m.myz, -0.70711, 1e-5);
    EXPECT_LT(std::abs(p.m.mxz), 1e-15);
    EXPECT_LT(std::abs(p.m.myx), 1e-15);

    options.SetZoom(110);
    p = CentredProjection(options);
    EXPECT_EQ(p.Project(300, 300, 10), (TScreenPoint{300, 278}));
}

TEST(Projection, DefaultOptionsWithPerspective)
{
    TView3DOptions options(nullptr);
    options.SetOrthogonal(false);
    TProjection p = CentredProjection(options);
    EXPECT_DOUBLE_EQ(p.perspectiveFactor, 15 / 35000.0);
    EXPECT_EQ(p.Project(400, 200, 10), (TScreenPoint{398, 207}));
    EXPECT_EQ(p.Project(400, 300, 30), (TScreenPoint{401, 297}));
}

TEST(Projection, ObliqueMovesDepthRightAndUp)
{
    TView3DOptions options(nullptr); // Orthogonal by default
    TProjection p = CentredProjection(options);
    ASSERT_TRUE(p.obliqueOn);
    for (const auto& [x, y, z] : {std::tuple{400, 200, 10}, {120, 33, 0}, {-50, 700, 45}})
        EXPECT_EQ(p.Project(x, y, z), (TScreenPoint{x - 300 + z + 300, y - 200 - z + 200}));
    EXPECT_EQ(p.Unproject(p.Project(123, 321, 7).x, p.Project(123, 321, 7).y, 7),
              (TScreenPoint{123, 321}));
}

TEST(Projection, OffsetsMoveTheOriginOnly)
{
    TView3DOptions options = ProgramView();
    options.SetHorizOffset(15);
    options.SetVertOffset(-4);
    const TProjection p = CentredProjection(options);
    EXPECT_EQ(p.centreX, 300);
    EXPECT_EQ(p.Project(400, 200, 10), (TScreenPoint{415, 196}));
}

TEST(Projection, TwoDimensionalPaintLeavesPointsAlone)
{
    TView3DOptions options = ProgramView();
    options.SetZoom(250);
    options.SetHorizOffset(40);
    TProjection p;
    p.Begin(&options, false);
    p.SetCentre(20, 250, 150, 350, 250, &options);
    EXPECT_EQ(p.Project(17, -3, 99), (TScreenPoint{17, -3}));
    EXPECT_EQ(p.Unproject(17, -3, 99), (TScreenPoint{17, -3}));
}

TEST(Projection, UnprojectInvertsTheProgramView)
{
    TView3DOptions options = ProgramView();
    const TProjection p = CentredProjection(options);
    for (const auto& [x, y] : {std::pair{300, 300}, {412, 155}, {260, 240}}) {
        const TScreenPoint s = p.Project(x, y, 10);
        const TScreenPoint back = p.Unproject(s.x, s.y, 10);
        EXPECT_EQ(back.x, x);
        EXPECT_NEAR(back.y, y, 1);
    }
}

TEST(Projection, ZoomZeroCollapsesAndUnprojectLeavesPoints)
{
    TView3DOptions options = ProgramView();
    options.SetZoom(0);
    const TProjection p = CentredProjection(options);
    EXPECT_EQ(p.Project(17, 500, 3), (TScreenPoint{300, 200}));
    EXPECT_EQ(p.Unproject(17, 500, 3), (TScreenPoint{17, 500}));
}

TEST(Projection, AbsurdZoomAndCoordinatesStayInRange)
{
    TView3DOptions options = ProgramView();
    options.SetZoom(INT32_MAX);
    const TProjection p = CentredProjection(options);
    const TScreenPoint s = p.Project(INT32_MAX, INT32_MIN, INT32_MAX);
    EXPECT_EQ(s.x, INT32_MAX);
    EXPECT_LT(s.y, INT32_MIN + 1000);
}

TEST(Projection, CoefficientsNeverFallToZero)
{
    const TProjectionCoefficients m = ComputeCoefficients(90, 90, 0);
    EXPECT_DOUBLE_EQ(m.mxx, 0.00001);
    EXPECT_DOUBLE_EQ(m.myy, 0.00001);
}

TEST(Projection, ArcPointCounts)
{
    constexpr double degree = std::numbers::pi / 180;
    EXPECT_EQ(ArcPointCount(0, 3 * degree), 2);
    EXPECT_EQ(ArcPointCount(0, 360 * degree), 32);
    EXPECT_EQ(ArcPointCount(1, 1 + 95 * degree), 12); // 9.5 rounds to 10 (even)
    EXPECT_EQ(ArcPointCount(0, 85 * degree), 10);     // 8.5 rounds to 8
    EXPECT_EQ(ArcPointCount(3, 1), ArcPointCount(1, 3));
    EXPECT_EQ(ArcPointCount(0, 1e300), 32);
}

TEST(ChartMath, RoundingAndMulDiv)
{
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(1e20), INT32_MAX);
    EXPECT_EQ(MulDiv(3, 590, 100), 18);
    EXPECT_EQ(MulDiv(4, 364, 100), 15);
    EXPECT_EQ(MulDiv(1, 5, 2), 3); // halves away from zero
    EXPECT_EQ(MulDiv(-1, 5, 2), -3);
    EXPECT_EQ(MulDiv(1, -5, -2), 3);
    EXPECT_EQ(MulDiv(1 << 30, 8, 16), 1 << 29); // the product needs 64 bits
    EXPECT_EQ(MulDiv(7, 9, 0), -1);
}

TEST(ChartColor, DarkeningFloorsEachComponent)
{
    EXPECT_EQ(DarkenColor(clWhite, 32), 0xDFDFDFu);  // (223, 223, 223)
    EXPECT_EQ(DarkenColor(0x10FF20, 32), 0x00DF00u); // 0x20 and 0x10 are not above 32
    EXPECT_EQ(DarkenColor(0x0000FF, 0), 0x0000FFu);
    EXPECT_EQ(ColorToQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(QColorToColor(QColor(1, 2, 3)), 0x030201u);
}

TEST(View3DOptions, SettersRepaintOnlyOnChange)
{
    RepaintCounter owner;
    TView3DOptions options(&owner);
    options.SetZoom(110);
    options.SetZoom(100);
    EXPECT_EQ(owner.count, 2);
    options.SetZoom(100);
    options.SetHorizOffset(0);
    options.SetOrthogonal(true);
    EXPECT_EQ(owner.count, 2);
    options.SetHorizOffset(5);
    options.SetVertOffset(-5);
    options.SetElevation(315);
    options.SetRotation(360);
    options.SetTilt(1);
    options.SetPerspective(0);
    options.SetOrthogonal(false);
    options.SetZoomText(false);
    EXPECT_EQ(owner.count, 10);

    TView3DOptions copy(&owner);
    copy.Assign(options);
    EXPECT_EQ(owner.count, 10);
    EXPECT_EQ(copy.Elevation(), 315);
    EXPECT_EQ(copy.HorizOffset(), 5);
    EXPECT_FALSE(copy.ZoomText());
}

} // namespace
} // namespace tallyrun::test
