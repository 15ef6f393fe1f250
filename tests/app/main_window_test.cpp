// The main window's components, tool-bar commands and chart mouse on the offscreen platform.
#include "app/about_dialog.h"
#include "app/save_dialog.h"
#include "base/handler_errors.h"
#include "base/message_box.h"
#include "run_fixture.h"
#include "tests/support/mouse_events.h"
#include "toolbar/tb_image_list.h"
#include "toolbar/tb_toolbar.h"
#include "widgets/panel_status_bar.h"

#include <QListWidget>
#include <QSplitter>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

namespace tallyrun::test {
namespace {

const QString kHint = QStringLiteral("グラフをドラッグで移動 マウスホイールで拡大縮小");

// Records the information and error boxes instead of showing them.
struct TRecordedBoxes
{
    TRecordedBoxes()
    {
        previousInfo = SetInformationDisplay(
            [this](const QString& text, const QString& caption) { info << caption + ":" + text; });
        previousError = SetHandlerErrorDisplay([this](const QString& m) { errors << m; });
    }
    ~TRecordedBoxes()
    {
        SetInformationDisplay(previousInfo);
        SetHandlerErrorDisplay(previousError);
    }
    QStringList info;
    QStringList errors;
    TInformationDisplay previousInfo;
    TErrorDisplay previousError;
};

class MainWindowTest : public RunTest
{
protected:
    void ShowWindow()
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    void Wheel(int steps)
    {
        const QPoint pos(100, 100);
        QWheelEvent event(pos, window.Chart1->mapToGlobal(pos), {}, {0, 120 * steps}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.Chart1, &event);
    }
    QPoint Offsets() const
    {
        TView3DOptions& view = window.Chart1->View3DOptions();
        return {view.HorizOffset(), view.VertOffset()};
    }
    std::string SaveTarget(const std::string& name) const { return root + "/" + name; }
    void ChooseInSaveDialog(const std::string& path)
    {
        window.SaveDialog1->SetRunner(
            [path](const TSaveDialog&) { return QString::fromStdString(path); });
    }

    TRecordedBoxes boxes;
};

TEST_F(MainWindowTest, ComponentsAndTheirSettings)
{
    ShowWindow();
    const struct
    {
        TTBItem* item;
        QString caption;
        int image;
        bool checked, enabled, visible, autoCheck;
    } items[] = {
        // A hidden action reports itself disabled.
        {window.TB_Show3D, "3D表示", -1, true, false, false, true},
        {window.TB_introductory, "凡例表示", 9, true, true, true, true},
        {window.TB_ShowPercent, "％表示", 5, true, true, true, false},
        {window.TB_ShowSize, "サイズ表示", 6, false, true, true, false},
        {window.TB_Save, "保存", 3, false, true, true, false},
        {window.TB_Stop, "処理中断", 4, false, false, true, false},
        {window.TB_Version, "バージョン情報", 7, false, true, true, false},
        {window.TB_End, "終了", 0, false, true, true, false},
    };
    QList<QAction*> expectedOrder;
    for (const auto& c : items) {
        SCOPED_TRACE(c.caption.toStdString());
        EXPECT_EQ(c.item->text(), c.caption);
        EXPECT_EQ(c.item->ImageIndex(), c.image);
        EXPECT_EQ(c.item->icon().isNull(), c.image < 0);
        EXPECT_EQ(c.item->isChecked(), c.checked);
        EXPECT_EQ(c.item->isEnabled(), c.enabled);
        EXPECT_EQ(c.item->isVisible(), c.visible);
        EXPECT_EQ(c.item->AutoCheck(), c.autoCheck);
        expectedOrder << c.item;
    }
    QList<QAction*> order;
    int separators = 0;
    for (QAction* action : window.TBToolbar1->actions())
        action->isSeparator() ? void(++separators) : order.append(action);
    EXPECT_EQ(order, expectedOrder);
    EXPECT_EQ(separators, 4);

    EXPECT_EQ(window.windowTitle(), "Tallyrun");
    EXPECT_EQ(window.size(), QSize(792, 500));
    EXPECT_EQ(window.font().pixelSize(), 12);
    EXPECT_EQ(window.TBToolbar1->windowTitle(), "メインメニュー");
    EXPECT_EQ(window.toolBarArea(window.TBToolbar1), Qt::TopToolBarArea);
    EXPECT_FALSE(window.TBToolbar1->isMovable());
    EXPECT_FALSE(window.TBToolbar1->isFloatable());
    EXPECT_FALSE(window.TBToolbar1->toggleViewAction()->isVisible());
    EXPECT_EQ(window.TBToolbar1->height(), 26);
    EXPECT_EQ(window.TBToolbar1->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
    EXPECT_EQ(window.TBImageList1->Count(), 10);
    EXPECT_EQ(window.TBImageList1->ImageSize(), QSize(16, 16));

    EXPECT_EQ(window.QorShTreeView1->width(), 199);
    EXPECT_EQ(window.Splitter1->handleWidth(), 3);
    EXPECT_EQ(window.Splitter2->handleWidth(), 3);
    EXPECT_EQ(window.Splitter2->orientation(), Qt::Vertical);
    EXPECT_EQ(window.Chart1->size(), QSize(590, 364));
    EXPECT_EQ(window.Chart1->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(window.Chart1->focusPolicy(), Qt::StrongFocus);
    EXPECT_EQ(window.memSearch->height(), 89);
    EXPECT_EQ(window.memSearch->Text(), "memSearch\n");
    EXPECT_EQ(window.StatusBar1->height(), 18);
    EXPECT_EQ(window.StatusBar1->width(), 792);
    EXPECT_EQ(window.StatusBar1->PanelCount(), 2);
    EXPECT_EQ(window.StatusBar1->PanelWidth(0), 500);
    EXPECT_EQ(window.StatusBar1->PanelText(0), kHint);
    EXPECT_EQ(window.StatusProgressBar1->geometry(), QRect(0, 2, 500, 16));
    EXPECT_EQ(window.StatusProgressBar2->geometry(), QRect(502, 2, 290, 16));
    EXPECT_EQ(window.StatusProgressBar1->Max(), 100);

    // In Qt's form; the dialog shows only the description (save_dialog_test.cpp).
    EXPECT_EQ(window.SaveDialog1->NameFilters(),
              QStringList{"ビットマップファイル(*.bmp) (*.bmp)"});
    EXPECT_EQ(window.SaveDialog1->DefaultSuffix(), "bmp");
    EXPECT_EQ(window.SaveDialog1->Options(), ofOverwritePrompt | ofHideReadOnly | ofEnableSizing);
}

TEST_F(MainWindowTest, WheelStepsZoomWithoutLimits)
{
    Wheel(-1);
    for (int i = 0; i < 10; ++i)
        Wheel(-1);
    EXPECT_EQ(window.Chart1->View3DOptions().Zoom(), -10);
    Wheel(11); // one event of eleven steps
    EXPECT_EQ(window.Chart1->View3DOptions().Zoom(), 100);
}

TEST_F(MainWindowTest, DraggingKeepsThePointUnderTheMouse)
{
    QWidget& chart = *window.Chart1;
    Press(chart, {50, 60});
    SendMouse(chart, QEvent::MouseButtonRelease, {50, 60}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(Offsets(), QPoint(0, 0));

    // The right button drags too; the grabbed point follows the mouse.
    Press(chart, {50, 60}, Qt::RightButton);
    SendMouse(chart, QEvent::MouseMove, {80, 40}, Qt::NoButton, Qt::RightButton);
    EXPECT_EQ(Offsets(), QPoint(30, -20));
    SendMouse(chart, QEvent::MouseButtonRelease, {80, 40}, Qt::RightButton, Qt::NoButton);
    Hover(chart, {200, 200}); // no button down: nothing moves
    EXPECT_EQ(Offsets(), QPoint(30, -20));

    Press(chart, {100, 100});
    SendMouse(chart, QEvent::MouseMove, {90, 95}, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(Offsets(), QPoint(20, -25));
}

TEST_F(MainWindowTest, ToggleItemsCopyTheirStateAndMarkItemsStayExclusive)
{
    window.TB_ShowSize->trigger();
    window.TB_ShowSize->trigger();
    EXPECT_TRUE(window.TB_ShowSize->isChecked());
    EXPECT_FALSE(window.TB_ShowPercent->isChecked());
    window.TB_ShowPercent->trigger();
    EXPECT_TRUE(window.TB_ShowPercent->isChecked());
    EXPECT_FALSE(window.TB_ShowSize->isChecked());

    window.TB_introductory->trigger();
    EXPECT_FALSE(window.TB_introductory->isChecked());
    EXPECT_FALSE(window.Chart1->Legend().Visible());
    window.TB_introductory->trigger();
    EXPECT_TRUE(window.Chart1->Legend().Visible());
    window.TB_Show3D->trigger();
    EXPECT_FALSE(window.Chart1->View3D());
    window.TB_Show3D->trigger();
    EXPECT_TRUE(window.Chart1->View3D());
}

TEST_F(MainWindowTest, AClickInTheFolderPaneOrOnTheChartFocusesTheChart)
{
    QListWidget pane;
    TFakeSelectedFolder paneFolder;
    TfrmMain withPane(paneFolder, &pane);
    withPane.show();
    withPane.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&withPane));
    QTest::mouseClick(pane.viewport(), Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(withPane.Chart1->hasFocus());
    pane.setFocus();
    Press(*withPane.Chart1, {5, 5});
    SendMouse(*withPane.Chart1, QEvent::MouseButtonRelease, {5, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_TRUE(withPane.Chart1->hasFocus());
    pane.setParent(nullptr); // the pane is this test's, not the window's
}

TEST_F(MainWindowTest, SaveDuringARunWritesTheChartAndReportsIt)
{
    MakeFile("a/f", 10);
    MakeFile("b/f", 20);
    ShowWindow();
    const std::string target = SaveTarget("chart.bmp");
    ChooseInSaveDialog(target);
    bool savedWhileRunning = false;
    window.Series1->OnAfterAdd = [&](TChartSeries& s, int) {
        if (s.PointCount() == 2)
            PostToEventLoop([&] {
                window.TB_Save->trigger();
                savedWhileRunning = window.IsRunning();
            });
    };
    Run();
    EXPECT_TRUE(savedWhileRunning);
    EXPECT_EQ(boxes.info, QStringList{"情報:画像を出力しました"});
    EXPECT_TRUE(boxes.errors.isEmpty());
    QFile file(QString::fromStdString(target));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QImage image = QImage::fromData(file.readAll(), "BMP");
    EXPECT_EQ(image.size(), window.Chart1->size());
    EXPECT_EQ(window.Series1->PointCount(), 3); // the run went on to its end
}

TEST_F(MainWindowTest, AFailedOrCancelledSaveShowsNoSuccess)
{
    ShowWindow();
    ChooseInSaveDialog(SaveTarget("no such folder/chart.bmp"));
    window.TB_Save->trigger();
    EXPECT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(boxes.info.isEmpty());

    window.SaveDialog1->SetRunner([](const TSaveDialog&) { return std::nullopt; });
    window.TB_Save->trigger();
    EXPECT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(boxes.info.isEmpty());
}

TEST_F(MainWindowTest, TheStatusHintShowsWheneverNoRunIsGoing)
{
    MakeFile("a/f", 1);
    ShowWindow();
    const auto hintVisible = [&] {
        return window.StatusBar1->PanelText(0) == kHint && window.StatusProgressBar1->isHidden();
    };
    EXPECT_TRUE(hintVisible());
    bool coveredDuringRun = false;
    window.Series1->OnAfterAdd = [&](TChartSeries& s, int) {
        coveredDuringRun |= s.PointCount() == 2 && !hintVisible();
    };
    Run();
    EXPECT_TRUE(coveredDuringRun);
    EXPECT_TRUE(hintVisible());
    folder.onCall = [&](int call) {
        if (call == 2)
            PostToEventLoop([this] { window.TB_Stop->trigger(); });
    };
    Run();
    EXPECT_TRUE(hintVisible());
}

TEST_F(MainWindowTest, EndDuringARunLetsTheLogFillAndThenCloses)
{
    for (const char* name : {"a/f", "b/f", "c/f"})
        MakeFile(name, 3);
    ShowWindow();
    bool shownAfterEnd = false;
    window.Series1->OnAfterAdd = [&](TChartSeries& s, int) {
        if (s.PointCount() == 1)
            PostToEventLoop([&] { window.TB_End->trigger(); });
        if (s.PointCount() == 3)
            shownAfterEnd = window.isVisible();
    };
    Run();
    EXPECT_TRUE(shownAfterEnd);
    EXPECT_EQ(window.Series1->PointCount(), 4);
    EXPECT_EQ(MemoLines().back(), "\t3 Byte");
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, F5RunsAgainWhileTheAboutDialogLocksTheWindow)
{
    ShowWindow();
    TfrmVersion about(&window, [](int) { return std::string(); });
    window.SetAboutDialog(&about);
    window.TB_Version->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_FALSE(window.isEnabled());
    about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    const int before = folder.calls;
    QTest::keyClick(&about, Qt::Key_F5);
    EXPECT_GT(folder.calls, before);
    about.close();
    EXPECT_TRUE(window.isEnabled());
}

} // namespace
} // namespace tallyrun::test
