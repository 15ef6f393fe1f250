#include "widgets/picture_button.h"

#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

struct TKeyFixture : ::testing::Test
{
    TPictureButton button;
    QSignalSpy clicks{&button, &TPictureButton::OnClick};

    TKeyFixture() { button.SetCaption(QStringLiteral("閉じる")); }
};

TEST_F(TKeyFixture, EnterClicksOnceAndLeavesTheButtonUp)
{
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button.Down(), 0);
    QTest::keyClick(&button, Qt::Key_Enter);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(TKeyFixture, SpaceClicksOnReleaseOnly)
{
    QTest::keyPress(&button, Qt::Key_Space);
    EXPECT_EQ(button.Down(), 1);
    EXPECT_EQ(clicks.count(), 0);
    // Auto-repeat while held neither clicks nor lets the button up.
    QKeyEvent repeatUp(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "),
                       true);
    QApplication::sendEvent(&button, &repeatUp);
    QTest::keyPress(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_EQ(button.Down(), 1);

    QTest::keyRelease(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button.Down(), 0);
}

TEST_F(TKeyFixture, SpaceThenAnotherKeyLetsTheButtonUpWithoutAClick)
{
    QTest::keyPress(&button, Qt::Key_Space);
    QTest::keyPress(&button, Qt::Key_A);
    EXPECT_EQ(button.Down(), 0);
    QTest::keyRelease(&button, Qt::Key_A);
    QTest::keyRelease(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(TKeyFixture, DisabledButtonIgnoresKeys)
{
    button.setEnabled(false);
    QTest::keyClick(&button, Qt::Key_Return);
    QTest::keyClick(&button, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 0);
}

TEST_F(TKeyFixture, AcceleratorOfTheCaptionClicks)
{
    QWidget window;
    button.setParent(&window);
    button.SetCaption(QStringLiteral("&Close"));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    button.setParent(nullptr);
}

} // namespace
} // namespace tallyrun::test
