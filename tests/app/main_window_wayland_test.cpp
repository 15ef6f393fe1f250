// The real main window as a native Wayland client of a headless weston (started by the
// session tests' main()): it appears, analyses a folder, draws and saves the chart through the
// real save dialog and information box, opens and closes the about dialog, and takes F5 from
// the desktop's portal, or inside the window only when there is no portal.
#include "app/about_dialog.h"
#include "app/save_dialog.h"
#include "run_fixture.h"
#include "tests/support/fake_portal.h"
#include "tests/support/session_test_main.h"
#include "tests/support/temp_tree.h"
#include "widgets/hook_hot_key.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <memory>
#include <set>

// The leak checker would report what libwayland-client and Qt's Wayland plugin keep until the
// process ends (the plugin is unloaded by then, so no suppression can name it). This program
// only checks the window under a compositor; the same window's code is leak-checked in every
// other test program.
#if defined(__SANITIZE_ADDRESS__)
extern "C" int __lsan_is_turned_off()
{
    return 1;
}
#endif

namespace tallyrun::test {
namespace {

class MainWindowWaylandTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (!NoSessionReason().empty())
            GTEST_SKIP() << NoSessionReason();
        ASSERT_EQ(QGuiApplication::platformName(), "wayland");
        folder.path = tree.Folder();
        for (const std::string sub : {"写真", "music"}) {
            tree.Dir(sub);
            tree.Write(sub + "/data.bin", std::string(sub == "music" ? 3000 : 9000, 'x'));
        }
    }
    void ShowWindow()
    {
        window = std::make_unique<TfrmMain>(folder);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void Run()
    {
        window->QorShTreeView1Change(nullptr, nullptr);
        ASSERT_FALSE(window->IsRunning());
    }
    // Answers the next modal dialog of type T with `answer`, from the event loop it runs.
    template <class T> void AnswerNextDialog(std::function<void(T&)> answer)
    {
        auto* poll = new QTimer(qApp);
        QObject::connect(poll, &QTimer::timeout, [poll, answer] {
            auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->windowHandle() || !dialog->windowHandle()->isExposed())
                return;
            poll->deleteLater();
            poll->stop();
            answer(*dialog);
        });
        poll->start(20);
    }

    TTempTree tree;
    TFakeSelectedFolder folder;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(MainWindowWaylandTest, AnalysesDrawsAndSavesThroughTheRealDialogs)
{
    ShowWindow();
    EXPECT_EQ(window->HookHotKey1->Route(), THotKeyRoute::hkrInWindow);
    Run();
    ASSERT_EQ(window->Series1->PointCount(), 3); // root and the two subfolders

    // The chart is drawn: more than the background's colour in the window's own rendering.
    const QImage chart = window->Chart1->grab().toImage();
    std::set<QRgb> colours;
    for (int y = 0; y < chart.height(); y += 4)
        for (int x = 0; x < chart.width(); x += 4)
            colours.insert(chart.pixel(x, y));
    EXPECT_GT(colours.size(), 5u);

    const QString target = QString::fromStdString(tree.Path("chart.bmp"));
    QString shownText;
    AnswerNextDialog<QFileDialog>([&](QFileDialog& dialog) {
        dialog.findChild<QLineEdit*>("fileNameEdit")->setText(target);
        static_cast<QDialog&>(dialog).accept(); // as the save button does
        AnswerNextDialog<QMessageBox>([&](QMessageBox& box) {
            shownText = box.text();
            box.accept();
        });
    });
    window->TB_Save->trigger();
    EXPECT_EQ(shownText, QString::fromUtf8("画像を出力しました"));
    QFile saved(target);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.read(2), "BM");
    EXPECT_GT(saved.size(), 54);

    TfrmVersion about(window.get(), [](int) { return std::string("2.0.2"); });
    window->SetAboutDialog(&about);
    window->TB_Version->trigger();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    EXPECT_FALSE(window->isEnabled());
    about.close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isEnabled(); }));

    // Without the portal F5 works inside the window.
    const int before = folder.calls;
    QTest::keyClick(window.get(), Qt::Key_F5);
    EXPECT_TRUE(QTest::qWaitFor([&] { return folder.calls > before && !window->IsRunning(); }));
}

TEST_F(MainWindowWaylandTest, F5ComesThroughThePortal)
{
    TFakePortal portal(SessionBusAddress());
    ShowWindow();
    EXPECT_EQ(window->HookHotKey1->Route(), THotKeyRoute::hkrPortal);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->HookHotKey1->Binding(0).has_value(); }));
    const auto binds = portal.Calls("BindShortcuts");
    ASSERT_EQ(binds.size(), 1u);
    EXPECT_EQ(binds[0].parentWindow, ""); // a Wayland window has no identifier to give
    const int before = folder.calls;
    portal.Activate(binds[0].shortcuts.at(0).id, "activation-token");
    EXPECT_TRUE(QTest::qWaitFor([&] { return folder.calls > before && !window->IsRunning(); }));
}

} // namespace
} // namespace tallyrun::test
