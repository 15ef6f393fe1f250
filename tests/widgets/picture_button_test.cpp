#include "widgets/picture_button.h"

#include "tests/support/mouse_events.h"
#include "tests/support/pinned_palette.h"
#include "widgets/transparent_picture.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

const QColor kInColor(204, 214, 227); // 14931660

// A button shaped like the about dialog's close button.
struct TCloseButtonFixture : ::testing::Test
{
    TPinnedPalette palette;
    TPictureButton button;
    QSignalSpy clicks{&button, &TPictureButton::OnClick};
    static constexpr int w = 105, h = 25;

    TCloseButtonFixture()
    {
        button.resize(w, h);
        button.SetCaption(QStringLiteral("閉じる"));
        button.SetInColor(14931660);
    }
    QImage Render() const { return RenderPictureButton(button.Face()); }
};

void ExpectRaisedFrame(const QImage& img)
{
    const int w = img.width(), h = img.height();
    EXPECT_EQ(img.pixelColor(0, 0), TPinnedPalette::light3D);
    EXPECT_EQ(img.pixelColor(w - 2, 0), TPinnedPalette::light3D);
    EXPECT_EQ(img.pixelColor(0, h - 2), TPinnedPalette::light3D);
    EXPECT_EQ(img.pixelColor(w - 1, 0), TPinnedPalette::darkShadow3D);
    EXPECT_EQ(img.pixelColor(0, h - 1), TPinnedPalette::darkShadow3D);
    EXPECT_EQ(img.pixelColor(w - 1, h - 1), TPinnedPalette::darkShadow3D);
    EXPECT_EQ(img.pixelColor(1, 1), TPinnedPalette::highlight);
    EXPECT_EQ(img.pixelColor(w - 2, h - 2), TPinnedPalette::shadow);
    EXPECT_EQ(img.pixelColor(w - 2, 1), TPinnedPalette::shadow);
}

void ExpectPressedFrame(const QImage& img)
{
    const int w = img.width(), h = img.height();
    for (QPoint p : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
        EXPECT_EQ(img.pixelColor(p), TPinnedPalette::shadow) << p.x() << "," << p.y();
    for (QPoint p : {QPoint(1, 1), QPoint(w - 2, 1), QPoint(1, h - 2), QPoint(w - 2, h - 2)})
        EXPECT_EQ(img.pixelColor(p), TPinnedPalette::face) << p.x() << "," << p.y();
}

TEST_F(TCloseButtonFixture, RestHoverPressedAndPressedOutsideLooks)
{
    const QImage rest = Render();
    ExpectRaisedFrame(rest);
    EXPECT_EQ(rest.pixelColor(2, 2), TPinnedPalette::face);

    SendEnter(button, {50, 12});
    const QImage hover = Render();
    ExpectRaisedFrame(hover);
    EXPECT_EQ(hover.pixelColor(2, 2), kInColor);
    EXPECT_EQ(hover.pixelColor(w - 3, h - 3), kInColor);

    Press(button, {50, 12});
    const QImage pressed = Render();
    ExpectPressedFrame(pressed);
    EXPECT_EQ(pressed.pixelColor(2, 2), kInColor);
    // The caption has moved one pixel right and down.
    bool captionDrawn = false;
    for (int y = 2; y < h - 3; ++y) {
        for (int x = 2; x < w - 3; ++x) {
            ASSERT_EQ(pressed.pixelColor(x + 1, y + 1), hover.pixelColor(x, y)) << x << "," << y;
            captionDrawn |= hover.pixelColor(x, y) != kInColor;
        }
    }
    EXPECT_TRUE(captionDrawn);

    DragTo(button, {120, 12});
    EXPECT_EQ(button.PressedOutside(), -1);
    const QImage outside = Render();
    ExpectRaisedFrame(outside);
    EXPECT_EQ(outside.pixelColor(2, 2), TPinnedPalette::face);
    EXPECT_EQ(outside, rest) << "dragged out, the button looks as at rest";

    DragTo(button, {60, 10});
    EXPECT_EQ(Render(), pressed);

    DragTo(button, {-5, 40});
    Release(button, {-5, 40});
    EXPECT_EQ(clicks.count(), 0) << "a release outside does not click";
    EXPECT_EQ(button.Down(), 0);
    EXPECT_EQ(button.PressedOutside(), 0);
    EXPECT_EQ(Render(), rest);
}

TEST_F(TCloseButtonFixture, AKeyLettingGoOfAButtonHeldOutsideDoesNotShiftTheFace)
{
    const QImage rest = Render();
    SendEnter(button, {50, 12});
    Press(button, {50, 12});
    DragTo(button, {120, 12});
    QTest::keyClick(&button, Qt::Key_A);
    ASSERT_EQ(button.Down(), 0);
    ASSERT_EQ(button.PressedOutside(), -1);
    EXPECT_EQ(Render(), rest) << "the caption stays in place, not one pixel up and left";
}

TEST_F(TCloseButtonFixture, ReleaseInsideClicksOnce)
{
    SendEnter(button, {50, 12});
    Press(button, {50, 12});
    EXPECT_EQ(clicks.count(), 0);
    Release(button, {51, 13});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button.Down(), 0);
}

TEST_F(TCloseButtonFixture, WithoutColorChangeTheFaceIgnoresTheMouse)
{
    button.SetColorChange(false);
    SendEnter(button, {50, 12});
    EXPECT_EQ(Render().pixelColor(2, 2), TPinnedPalette::face);
}

TEST_F(TCloseButtonFixture, PaintEventDrawsTheRenderedFace)
{
    SendEnter(button, {50, 12});
    EXPECT_EQ(button.grab().toImage().convertToFormat(QImage::Format_RGB32), Render());
}

TEST_F(TCloseButtonFixture, FocusRectangleLiesFourPixelsInsideTheEdge)
{
    button.SetCaption({});
    TPictureButtonFace face = button.Face();
    face.focused = false;
    const QImage plain = RenderPictureButton(face);
    face.focused = true;
    const QImage focused = RenderPictureButton(face);
    const QRect outline(QPoint(4, 4), QPoint(w - 5, h - 5));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool onOutline =
                outline.contains(x, y) && (x == outline.left() || x == outline.right() ||
                                           y == outline.top() || y == outline.bottom());
            const bool changed = plain.pixelColor(x, y) != focused.pixelColor(x, y);
            EXPECT_EQ(changed, onOutline && (x + y) % 2 == 0) << x << "," << y;
        }
    }
    EXPECT_EQ(focused.pixelColor(4, 4).rgb(), plain.pixelColor(4, 4).rgb() ^ 0xFFFFFF);

    face.focusStyle = bfsInColor;
    EXPECT_EQ(RenderPictureButton(face).pixelColor(10, 10), kInColor);
}

// Each style's outermost bevel before the mouse comes, pressed and after the click, read at
// the top-left pixel (highlight for raised, shadow for lowered, the face when there is none).
struct TStyleCase
{
    const char* name;
    TButtonStyle style;
    QColor rest, pressed, released;
};

void PrintTo(const TStyleCase& c, std::ostream* os)
{
    *os << c.name;
}

class TButtonStyleLooks : public ::testing::TestWithParam<TStyleCase>
{
};

TEST_P(TButtonStyleLooks, OuterBevelFollowsThePress)
{
    TPinnedPalette palette;
    const TStyleCase& c = GetParam();
    TPictureButton button;
    button.SetColorChange(false);
    button.SetFocusStyle(bfsNone);
    button.SetButtonStyle(c.style);
    const auto topLeft = [&] { return RenderPictureButton(button.Face()).pixelColor(0, 0); };
    EXPECT_EQ(topLeft(), c.rest);
    SendEnter(button, {10, 10});
    Press(button, {10, 10});
    EXPECT_EQ(topLeft(), c.pressed);
    Release(button, {10, 10});
    EXPECT_EQ(topLeft(), c.released);
}

const QColor kRaised = TPinnedPalette::highlight, kLowered = TPinnedPalette::shadow,
             kFlat = TPinnedPalette::face;
INSTANTIATE_TEST_SUITE_P(
    AllStyles, TButtonStyleLooks,
    ::testing::Values(TStyleCase{"bsNone", bsNone, kFlat, kLowered, kFlat},
                      TStyleCase{"bsLowered", bsLowered, kLowered, kLowered, kLowered},
                      TStyleCase{"bsRaised", bsRaised, kRaised, kLowered, kRaised},
                      TStyleCase{"bsFrame", bsFrame, kRaised, kLowered /* inner shows */, kRaised},
                      TStyleCase{"bsGroove", bsGroove, kLowered, kLowered, kLowered},
                      TStyleCase{"bsIELike", bsIELike, kFlat, kLowered, kRaised},
                      // the click and the release each toggle the raised bevel
                      TStyleCase{"bsSpBtnLike", bsSpBtnLike, kFlat, kLowered, kFlat},
                      TStyleCase{"bsStdButton", bsStdButton, TPinnedPalette::light3D, kLowered,
                                 TPinnedPalette::light3D}),
    [](const ::testing::TestParamInfo<TStyleCase>& info) { return info.param.name; });

TEST(PictureButtonBevels, InnerBevelsOfLoweredAndGroovedStylesFollowThePress)
{
    TBevels lowered = RestBevels(bsLowered);
    SetPressedLook(bsLowered, TPressedLook::Pressed, true, lowered);
    EXPECT_EQ(lowered, (TBevels{bvLowered, bvLowered}));
    TBevels groove = RestBevels(bsGroove);
    SetPressedLook(bsGroove, TPressedLook::Pressed, true, groove);
    EXPECT_EQ(groove, (TBevels{bvNone, bvLowered}));
    TBevels ie = RestBevels(bsIELike);
    SetPressedLook(bsIELike, TPressedLook::Released, false, ie);
    EXPECT_EQ(ie.outer, bvNone) << "released with the mouse away, an IE-like button is flat";
}

TEST(PictureButtonPicture, CentredTransparentAndShiftedByThePress)
{
    TPinnedPalette palette;
    QImage picture(5, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixelColor(0, 3, Qt::blue); // the bottom-left colour becomes transparent
    picture.setPixelColor(4, 0, Qt::blue);
    TPictureButton button;
    button.SetPicture(picture);
    button.SetColorChange(false);

    // (36 - 5) / 2 = 15.5 rounds to 16; (36 - 4) / 2 = 16.
    QImage img = RenderPictureButton(button.Face());
    EXPECT_EQ(img.pixelColor(16, 16), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(15, 16), TPinnedPalette::face);
    EXPECT_EQ(img.pixelColor(20, 16), TPinnedPalette::face) << "transparent corner";

    Press(button, {10, 10});
    img = RenderPictureButton(button.Face());
    EXPECT_EQ(img.pixelColor(17, 17), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(16, 16), TPinnedPalette::light3D) << "pressed face in InColor";
}

TEST(PictureButtonPicture, StretchFillsTheFaceInsideTwoAndFourPixels)
{
    TPinnedPalette palette;
    QImage picture(2, 2, QImage::Format_ARGB32);
    picture.fill(Qt::green);
    TPictureButton button;
    button.SetPicture(picture);
    button.SetStretch(true);
    const QImage img = RenderPictureButton(button.Face());
    EXPECT_EQ(img.pixelColor(2, 2), QColor(Qt::green)) << "frame drawn over (0..1)";
    EXPECT_EQ(img.pixelColor(31, 31), QColor(Qt::green));
    EXPECT_EQ(img.pixelColor(32, 20), TPinnedPalette::face);
}

TEST(PictureButtonPlacement, CentringRoundsPicturesHalfToEvenAndTruncatesCaptions)
{
    EXPECT_EQ(CentredPicturePos(-1, 36, 5), 16);  // 15.5
    EXPECT_EQ(CentredPicturePos(-1, 36, 7), 14);  // 14.5
    EXPECT_EQ(CentredPicturePos(-1, 10, 13), -2); // -1.5
    EXPECT_EQ(CentredPicturePos(3, 36, 5), 3);
    EXPECT_EQ(CentredCaptionPos(-1, 36, 51), -7); // -7.5: a wide caption starts left of the face
    EXPECT_EQ(CentredCaptionPos(-1, 36, 5), 15);
}

TEST(PictureButtonTransparency, PicturesWithAlphaStayAsTheyAre)
{
    QImage withAlpha(2, 1, QImage::Format_ARGB32);
    withAlpha.setPixelColor(0, 0, QColor(10, 20, 30, 255));
    withAlpha.setPixelColor(1, 0, QColor(10, 20, 30, 255));
    EXPECT_EQ(MakeTransparent(withAlpha).pixelColor(0, 0).alpha(), 255);
    QImage opaque(2, 1, QImage::Format_RGB32);
    opaque.setPixelColor(0, 0, QColor(10, 20, 30));
    opaque.setPixelColor(1, 0, QColor(40, 20, 30));
    const QImage t = MakeTransparent(opaque);
    EXPECT_EQ(t.pixelColor(0, 0).alpha(), 0);
    EXPECT_EQ(t.pixelColor(1, 0).alpha(), 255);
}

} // namespace
} // namespace tallyrun::test
