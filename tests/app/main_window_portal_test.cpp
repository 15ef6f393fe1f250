// The main window's F5 through a fake desktop portal on the test's own session bus: the
// description it gives, the analysis a press runs, and the status text when the desktop
// bound another key or none.
#include "base/handler_errors.h"
#include "run_fixture.h"
#include "tests/support/fake_portal.h"
#include "tests/support/session_test_main.h"
#include "tests/support/temp_tree.h"
#include "widgets/hook_hot_key.h"
#include "widgets/panel_status_bar.h"

#include <QTest>

#include <memory>

namespace tallyrun::test {
namespace {

const QString kHint = QStringLiteral("グラフをドラッグで移動 マウスホイールで拡大縮小");

class MainWindowPortalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!NoSessionReason().empty())
            GTEST_SKIP() << NoSessionReason();
        folder.path = tree.Folder();
        previousDisplay = SetHandlerErrorDisplay([this](const QString& m) { errors << m; });
    }
    void TearDown() override
    {
        window.reset();
        portal.reset();
        SetHandlerErrorDisplay(previousDisplay);
        EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    }
    void Start(TFakePortalBehaviour behaviour = {})
    {
        window.reset();
        portal.reset(); // the name is free for the next portal
        portal = std::make_unique<TFakePortal>(SessionBusAddress(), behaviour);
        ASSERT_TRUE(portal->Registered());
        window = std::make_unique<TfrmMain>(folder);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->HookHotKey1->Binding(0).has_value(); }));
    }

    TTempTree tree;
    TFakeSelectedFolder folder;
    std::unique_ptr<TFakePortal> portal;
    std::unique_ptr<TfrmMain> window;
    QStringList errors;
    TErrorDisplay previousDisplay;
};

TEST_F(MainWindowPortalTest, APressOfTheBoundShortcutRunsTheAnalysisAgain)
{
    Start();
    const auto binds = portal->Calls("BindShortcuts");
    ASSERT_EQ(binds.size(), 1u);
    ASSERT_EQ(binds[0].shortcuts.size(), 1u);
    EXPECT_EQ(binds[0].shortcuts[0].description, QString::fromUtf8("選択したフォルダを再集計"));
    EXPECT_EQ(binds[0].shortcuts[0].preferredTrigger, "F5");

    const int before = folder.calls;
    portal->Activate(binds[0].shortcuts[0].id);
    EXPECT_TRUE(QTest::qWaitFor([&] { return folder.calls > before && !window->IsRunning(); }));
    // F5 itself was bound: nothing to tell.
    EXPECT_EQ(window->StatusBar1->PanelText(0), kHint);
    EXPECT_EQ(window->StatusBar1->PanelText(1), "");
}

TEST_F(MainWindowPortalTest, TheStatusBarTellsWhichKeyTheDesktopBound)
{
    const struct
    {
        TFakePortalBehaviour behaviour;
        QString text;
    } cases[] = {
        {{1, 0, 0, QStringLiteral("Ctrl+Alt+F5")},
         QStringLiteral("デスクトップの割り当てキー: Ctrl+Alt+F5")},
        {{1, 0, 0, QStringLiteral("%1 %2")}, QStringLiteral("デスクトップの割り当てキー: %1 %2")},
        {{1, 0, 1, QStringLiteral("F5")}, QStringLiteral("デスクトップの割り当てキー: なし")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        Start(c.behaviour);
        EXPECT_EQ(window->StatusBar1->PanelText(1), c.text);
        EXPECT_EQ(window->StatusBar1->PanelText(0), kHint);
        // F5 works in the window all the same.
        const int before = folder.calls;
        QTest::keyClick(window.get(), Qt::Key_F5);
        EXPECT_TRUE(QTest::qWaitFor([&] { return folder.calls > before && !window->IsRunning(); }));
    }
}

} // namespace
} // namespace tallyrun::test
