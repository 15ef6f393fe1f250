// Start-up: the splash window during the creation of the windows and the first run, and the
// order in which the windows come and go.
#include "app/startup.h"

#include "app/splash_window.h"
#include "base/handler_errors.h"
#include "run_fixture.h"
#include "tests/support/temp_tree.h"

#include <QApplication>
#include <QLabel>
#include <QWindow>

namespace tallyrun::test {
namespace {

std::string FakeVersion(int key)
{
    return key == vkProductVersion ? "2.0.2" : "Tallyrun";
}

// The splash window while it exists.
TForm1* FindSplash()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* splash = qobject_cast<TForm1*>(w))
            return splash;
    return nullptr;
}

// Notes whether a splash window still existed when the watched window was first shown.
struct TShowWatcher : QObject
{
    bool shown = false;
    bool splashAtShow = false;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !shown) {
            shown = true;
            splashAtShow = FindSplash() != nullptr;
        }
        return false;
    }
};

class StartupTest : public ::testing::Test
{
protected:
    StartupTest()
    {
        InstallEventPump(std::chrono::microseconds(0));
        folder.path = tree.Folder();
    }

    TTempTree tree;
    TFakeSelectedFolder folder;
};

TEST_F(StartupTest, TheSplashShowsDuringTheFirstRunAndIsGoneBeforeTheMainWindowShows)
{
    std::filesystem::create_directories(folder.path + "/sub");
    std::ofstream(folder.path + "/sub/f") << "abc";
    bool splashDuringRun = false;
    QString labelDuringRun;
    folder.onCall = [&](int) {
        if (TForm1* splash = FindSplash()) {
            splashDuringRun = splash->isVisible();
            labelDuringRun = splash->Label1->text();
        }
    };
    TShowWatcher watcher;
    TProgramWindows windows = CreateProgramWindows(
        [&] {
            auto window = std::make_unique<TfrmMain>(folder);
            window->installEventFilter(&watcher);
            folder.Select(folder.path); // the folder pane's first report
            return window;
        },
        FakeVersion);
    EXPECT_TRUE(splashDuringRun);
    EXPECT_EQ(labelDuringRun, "Ver 2.0.2");
    EXPECT_EQ(windows.frmMain->Series1->PointCount(), 2);
    EXPECT_EQ(FindSplash(), nullptr);
    EXPECT_FALSE(windows.frmMain->isVisible());
    EXPECT_FALSE(windows.frmVersion->isVisible());
    EXPECT_FALSE(windows.frmBreakDialog->isVisible());
    ASSERT_NE(windows.frmVersion->windowHandle(), nullptr);
    EXPECT_EQ(windows.frmVersion->windowHandle()->transientParent(),
              windows.frmMain->windowHandle());

    windows.frmMain->show();
    EXPECT_TRUE(watcher.shown);
    EXPECT_FALSE(watcher.splashAtShow);
    // The about command shows the dialog made at start-up; nothing new is created.
    const auto before = QApplication::topLevelWidgets().size();
    windows.frmMain->TB_Version->trigger();
    EXPECT_TRUE(windows.frmVersion->isVisible());
    EXPECT_EQ(windows.frmVersion->windowHandle()->transientParent(),
              windows.frmMain->windowHandle());
    EXPECT_EQ(QApplication::topLevelWidgets().size(), before);
    windows.frmVersion->close();
}

TEST_F(StartupTest, SplashLayoutAndAFailingVersionReader)
{
    const TForm1 splash(FakeVersion);
    EXPECT_EQ(splash.size(), QSize(404, 254));
    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(splash.Image1->geometry(), QRect(2, 2, 400, 250));
    EXPECT_EQ(splash.Image1->pixmap().size(), QSize(400, 250));
    EXPECT_EQ(splash.Label1->text(), "Ver 2.0.2");
    EXPECT_EQ(splash.Label1->geometry().right() + 1, 391);
    EXPECT_EQ(splash.Label1->y(), 214);
    EXPECT_EQ(splash.Label1->font().pixelSize(), 16);

    QStringList errors;
    const TErrorDisplay previous = SetHandlerErrorDisplay([&](const QString& m) { errors << m; });
    const TForm1 failing(
        [](int) -> std::string { throw EVersionInfoError("情報の取得に失敗しました"); });
    SetHandlerErrorDisplay(previous);
    EXPECT_EQ(errors, QStringList{"情報の取得に失敗しました"});
    EXPECT_EQ(failing.Label1->text(), "Label1");
    EXPECT_EQ(failing.Label1->geometry().right() + 1, 391);
}

} // namespace
} // namespace tallyrun::test
