#include "widgets/url_link.h"

#include "tests/support/mouse_events.h"
#include "tests/support/pinned_palette.h"
#include "widgets/link_hint_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QPainter>
#include <QTest>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

QColor CaptionColor(const TURLLink& link)
{
    return link.palette().color(QPalette::Active, QPalette::WindowText);
}

struct TLinkFixture : ::testing::Test
{
    TPinnedPalette palette;
    TURLLink link;
    QStringList opened;

    TLinkFixture()
    {
        link.SetCaption(QStringLiteral("Tallyrun project"));
        link.setGeometry(100, 100, 120, 16);
        link.SetOpener([this](const QString& target) { opened << target; });
    }
};

TEST_F(TLinkFixture, StartsAsABlueHandCursorLinkToAnEmptyWebAddress)
{
    EXPECT_EQ(link.URLType(), tpURL);
    EXPECT_EQ(link.Link(), QStringLiteral("http://"));
    EXPECT_TRUE(link.EnableShowHint());
    EXPECT_EQ(link.HintOffsetX(), 15);
    EXPECT_EQ(link.HintOffsetY(), 15);
    EXPECT_EQ(link.LinkColor(), clRed);
    EXPECT_EQ(link.HintFormColor(), clInfoBk);
    EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(CaptionColor(link), QColor(0, 0, 255));
    EXPECT_FALSE(link.HintShown());
}

TEST_F(TLinkFixture, TakesLinkColorWhileTheMouseIsOverAndRestoresTheOldColourAfter)
{
    link.SetFontColor(ColorFromRgb(0, 128, 0));
    SendEnter(link, {5, 5});
    EXPECT_EQ(CaptionColor(link), QColor(255, 0, 0));
    EXPECT_EQ(link.FontColor(), clRed);

    // Changing LinkColor meanwhile does not change what the leave restores.
    link.SetLinkColor(clBlack);
    SendLeave(link);
    EXPECT_EQ(CaptionColor(link), QColor(0, 128, 0));
}

TEST_F(TLinkFixture, LeftClickOpensTheLinkOrItsMailtoForm)
{
    link.SetLink(QStringLiteral("https://tallyrun.test/"));
    Press(link, {3, 3}, Qt::LeftButton);
    link.SetURLType(tpMAIL);
    link.SetLink(QStringLiteral("someone@tallyrun.test"));
    Press(link, {3, 3}, Qt::LeftButton);
    EXPECT_EQ(opened, QStringList({QStringLiteral("https://tallyrun.test/"),
                                   QStringLiteral("mailto:someone@tallyrun.test")}));
}

TEST_F(TLinkFixture, RightAndMiddleClicksOpenNothing)
{
    Press(link, {3, 3}, Qt::RightButton);
    Press(link, {3, 3}, Qt::MiddleButton);
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(TLinkFixture, NoFloatingWindowWhenShowingHintsIsOff)
{
    link.SetEnableShowHint(false);
    SendEnter(link, {5, 5});
    Hover(link, {5, 5});
    Hover(link, {9, 7});
    EXPECT_FALSE(link.HintShown());
    EXPECT_FALSE(link.HintForm()->isVisible());
}

TEST_F(TLinkFixture, FloatingWindowAppearsOnceBesideTheMouseAndGoesOnLeaveOrClick)
{
    link.SetLink(QStringLiteral("https://tallyrun.test/about"));
    link.SetHintOffsetX(20);
    SendEnter(link, {5, 5});
    Hover(link, {5, 6});
    const QPoint mouse = link.mapToGlobal(QPoint(5, 6));
    const TLinkHintWindow* hint = link.HintForm();
    ASSERT_TRUE(link.HintShown());
    EXPECT_TRUE(hint->isVisible());
    EXPECT_EQ(hint->pos(), mouse + QPoint(20, 15));
    EXPECT_EQ(hint->size(), LinkHintSize(link.HintFormFont(), link.Link()));
    EXPECT_EQ(hint->Text(), link.Link());

    // It stays where it first appeared while the mouse moves on.
    Hover(link, {40, 8});
    EXPECT_EQ(hint->pos(), mouse + QPoint(20, 15));

    SendLeave(link);
    EXPECT_FALSE(hint->isVisible());
    SendEnter(link, {5, 5});
    Hover(link, {5, 5});
    EXPECT_TRUE(hint->isVisible());
    Press(link, {5, 5}, Qt::LeftButton);
    EXPECT_FALSE(hint->isVisible());
    EXPECT_FALSE(link.HintShown());
}

// Takes the URLs QDesktopServices would hand to the desktop, so nothing is launched.
class TUrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void Open(const QUrl& url) { urls << url; }
};

TEST(LinkOpener, DefaultOpenerHandsAbsoluteUrlsToTheDesktopAndRefusesBareWords)
{
    TUrlCatcher catcher;
    for (const QString scheme : {"https", "mailto", ""})
        QDesktopServices::setUrlHandler(scheme, &catcher, "Open");
    TURLLink link;
    link.SetURLType(tpMAIL);
    link.SetLink(QStringLiteral("someone@tallyrun.test"));
    Press(link, {2, 2});
    OpenWithDesktopHandler(QStringLiteral("https://tallyrun.test/page"));
    OpenWithDesktopHandler(QStringLiteral("notes.txt"));
    OpenWithDesktopHandler(QStringLiteral("-rf"));
    for (const QString scheme : {"https", "mailto", ""})
        QDesktopServices::unsetUrlHandler(scheme);
    EXPECT_EQ(catcher.urls, QList<QUrl>({QUrl(QStringLiteral("mailto:someone@tallyrun.test")),
                                         QUrl(QStringLiteral("https://tallyrun.test/page"))}));
}

TEST(LinkHintWindow, SizeIsTheTextPlusMarginsAndTheTextStartsAtTwoTwo)
{
    QFont font;
    font.setPixelSize(12);
    const QString text = QStringLiteral("https://tallyrun.test/");
    const QFontMetrics metrics(font);
    const QSize size = LinkHintSize(font, text);
    EXPECT_EQ(size, QSize(metrics.horizontalAdvance(text) + 6, metrics.height() + 3));

    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintLinkHint(painter, size, font, QColor(255, 255, 225), Qt::black, text);
    painter.end();
    bool textSeen = false;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const bool background = image.pixelColor(x, y) == QColor(255, 255, 225);
            if (x < 2 || y < 2) {
                EXPECT_TRUE(background) << x << "," << y;
            }
            textSeen |= !background;
        }
    }
    EXPECT_TRUE(textSeen);
}

// Counts the paints a widget receives.
struct TPaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

TEST(URLLinkRepaint, SettingAPropertyToItsCurrentValueDoesNotRepaint)
{
    TURLLink link;
    link.SetCaption(QStringLiteral("link"));
    link.resize(80, 20);
    link.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&link));
    TPaintCounter counter;
    link.installEventFilter(&counter);
    QApplication::processEvents();
    counter.paints = 0;

    link.SetLink(link.Link());
    link.SetLinkColor(link.LinkColor());
    link.SetHintOffsetX(link.HintOffsetX());
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);

    link.SetLink(QStringLiteral("https://tallyrun.test/"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return counter.paints > 0; }, 2000));
}

} // namespace
} // namespace tallyrun::test

#include "url_link_test.moc"
