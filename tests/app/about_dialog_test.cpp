#include "app/about_dialog.h"

#include "app/about_texts.h"
#include "base/fonts.h"
#include "widgets/picture_button.h"
#include "widgets/url_link.h"

#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace tallyrun::test {
namespace {

std::string FakeVersion(int key)
{
    if (key == vkProductName)
        return "Tallyrun";
    if (key == vkProductVersion)
        return "2.0.2";
    return {};
}

struct TAboutDialogFixture : ::testing::Test
{
    static void SetUpTestSuite() { InstallFontSubstitutions(); }

    QMainWindow mainWindow;
    TAboutDialogFixture()
    {
        mainWindow.resize(300, 200);
        mainWindow.show();
    }
};

TEST_F(TAboutDialogFixture, LayoutAndTexts)
{
    TfrmVersion dialog(&mainWindow, FakeVersion);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("バージョン情報"));
    EXPECT_EQ(dialog.size(), QSize(345, 224));
    EXPECT_EQ(dialog.font().pixelSize(), 12);
    EXPECT_TRUE(QFontInfo(dialog.font()).family().startsWith(QStringLiteral("IPA")))
        << QFontInfo(dialog.font()).family().toStdString();

    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Tallyrun"));
    EXPECT_EQ(dialog.Label1->pos(), QPoint(64, 16));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("Version: 2.0.2"));
    EXPECT_EQ(dialog.Label2->geometry().right() + 1, 324);
    EXPECT_EQ(dialog.Label2->y(), 40);
    EXPECT_EQ(dialog.Image2->geometry(), QRect(12, 16, 32, 32));
    EXPECT_EQ(dialog.Panel1->geometry(), QRect(52, 72, 241, 105));

    EXPECT_EQ(dialog.btnClose->geometry(), QRect(120, 192, 105, 25));
    EXPECT_EQ(dialog.btnClose->Caption(), QStringLiteral("閉じる"));
    EXPECT_EQ(dialog.btnClose->InColor(), 0x00E3D6CCu);
    EXPECT_EQ(dialog.btnClose->FocusStyle(), bfsStdButton);
    EXPECT_EQ(dialog.btnClose->ButtonStyle(), bsStdButton);

    for (TURLLink* link : {dialog.URLLink1, dialog.URLLink3}) {
        EXPECT_FALSE(link->EnableShowHint());
        EXPECT_TRUE(link->Transparent());
        EXPECT_EQ(link->URLType(), tpURL);
        EXPECT_EQ(link->FontColor(), clBlue);
        EXPECT_EQ(link->LinkColor(), clRed);
    }
    EXPECT_EQ(dialog.URLLink1->pos(), QPoint(8, 29));
    EXPECT_EQ(dialog.URLLink3->pos(), QPoint(88, 61));
    EXPECT_EQ(dialog.Label3->pos(), QPoint(8, 13));
    EXPECT_EQ(dialog.Label4->pos(), QPoint(136, 29));
    EXPECT_EQ(dialog.Label6->pos(), QPoint(8, 61));
    // The publisher's texts fit their places: the maker's link ends before the rights note,
    // the credit label before the icon author's link, and everything inside the panel.
    EXPECT_LE(dialog.URLLink1->geometry().right(), dialog.Label4->x());
    EXPECT_LE(dialog.Label6->geometry().right(), dialog.URLLink3->x());
    for (QWidget* w : {static_cast<QWidget*>(dialog.Label3), static_cast<QWidget*>(dialog.Label4),
                       static_cast<QWidget*>(dialog.URLLink3)})
        EXPECT_LE(w->geometry().right(), dialog.Panel1->width() - 1);
}

TEST_F(TAboutDialogFixture, WithAnEmptyVersionBlockTheLabelsReadEmptyAndVersionAlone)
{
    TfrmVersion dialog(&mainWindow, [](int) { return std::string(); });
    EXPECT_EQ(dialog.Label1->text(), QString());
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("Version: "));
    EXPECT_EQ(dialog.Label2->geometry().right() + 1, 324);
}

TEST_F(TAboutDialogFixture, AnUnreadableVersionBlockKeepsTheDesignTexts)
{
    TfrmVersion dialog(&mainWindow, [](int) -> std::string {
        throw EVersionInfoError("情報の取得に失敗しました");
    });
    EXPECT_EQ(dialog.Label1->text(), QStringLiteral("Tallyrun"));
    EXPECT_EQ(dialog.Label2->text(), QStringLiteral("Version: "));
}

TEST_F(TAboutDialogFixture, TheProgramsOwnVersionReaderFillsTheLabels)
{
    TfrmVersion dialog(&mainWindow);
    EXPECT_EQ(dialog.Label1->text().toStdString(), GetVersionString(vkProductName));
    EXPECT_EQ(dialog.Label2->text().toStdString(),
              "Version: " + GetVersionString(vkProductVersion));
}

TEST_F(TAboutDialogFixture, MainWindowIsDisabledWhileShownAndEveryCloseEnablesIt)
{
    auto* dialog = new TfrmVersion(&mainWindow, FakeVersion);
    QPointer<TfrmVersion> alive(dialog);

    // The close button, clicked with the mouse.
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_FALSE(mainWindow.isEnabled());
    EXPECT_TRUE(dialog->isEnabled());
    QTest::mouseClick(dialog->btnClose, Qt::LeftButton, {}, QPoint(50, 12));
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());

    // The close box: the window system asks the window to close.
    dialog->show();
    EXPECT_FALSE(mainWindow.isEnabled());
    dialog->windowHandle()->close();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());

    // Enter on the focused close button.
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    EXPECT_EQ(QApplication::focusWidget(), dialog->btnClose);
    QTest::keyClick(dialog->btnClose, Qt::Key_Return);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(mainWindow.isEnabled());

    // Hidden by its owner without a close.
    dialog->show();
    dialog->hide();
    EXPECT_TRUE(mainWindow.isEnabled());

    ASSERT_FALSE(alive.isNull()) << "closing hides the dialog, it is not freed";
    delete dialog;
}

TEST_F(TAboutDialogFixture, LinksOpenTheirPages)
{
    TfrmVersion dialog(&mainWindow, FakeVersion);
    QStringList opened;
    for (TURLLink* link : {dialog.URLLink1, dialog.URLLink3})
        link->SetOpener([&](const QString& target) { opened << target; });
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.URLLink1, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseClick(dialog.URLLink3, Qt::LeftButton, {}, QPoint(3, 3));
    EXPECT_EQ(opened, QStringList({about_texts::kMakerUrl, about_texts::kIconAuthorUrl}));
    dialog.close();
}

} // namespace
} // namespace tallyrun::test
