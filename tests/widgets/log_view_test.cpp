#include "widgets/log_view.h"

#include <QApplication>
#include <QClipboard>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tallyrun::test {
namespace {

TEST(LogView, KeepsEveryLineAsGivenAndGivesTheWholeText)
{
    TLogView view;
    view.AppendLine("/tmp/t/");
    view.AppendLine("\t\t/tmp/t/日本語のファイル名 : 1,234");
    view.AppendLine("");
    view.AppendLine("bad \xff\xfe bytes");
    EXPECT_EQ(view.LineCount(), 4);
    EXPECT_EQ(view.Text(),
              "/tmp/t/\n\t\t/tmp/t/日本語のファイル名 : 1,234\n\nbad \xff\xfe bytes\n");
    view.Clear();
    EXPECT_EQ(view.LineCount(), 0);
    EXPECT_EQ(view.Text(), "");
}

TEST(LogView, LinesAcrossAndBeyondStorageChunksStayIntact)
{
    TLogView view;
    const std::string huge(3 << 20, 'x');
    for (int i = 0; i < 60000; ++i)
        view.AppendLine("line " + std::to_string(i) + std::string(i % 50, '.'));
    view.AppendLine(huge);
    view.AppendLine("after");
    EXPECT_EQ(view.Line(0), "line 0");
    EXPECT_EQ(view.Line(59999), "line 59999" + std::string(59999 % 50, '.'));
    EXPECT_EQ(view.Line(60000).size(), huge.size());
    EXPECT_EQ(view.Line(60001), "after");
}

// Lines that share a folder with the line stored whole before them keep only the rest; every
// line must still read back as given, whichever way it was stored.
TEST(LogView, LinesSharingTheirStartReadBackAsGiven)
{
    const std::vector<std::string> lines = {
        "\t\t/tmp/t/dir/a.txt : 1",     // stored whole
        "\t\t/tmp/t/dir/b.txt : 2",     // shares "\t\t/tmp/t/dir/"
        "\t\t/tmp/t/dir/sub/c : 3",     // a "/" after the shared folder: stored whole
        "\t\t/tmp/t/dir/sub/",          // the shared folder itself, nothing after it
        "\t\t/tmp/t/dir/sub/c : 3",     // the same line again
        "\t\t/tmp/t/dir/z\xff\xfe : 4", // back up one folder, bytes that are not UTF-8
        "\t\t/tmp/t/",                  // shorter than the folder it shares
        "\t1,234 Byte",                 // nothing shared
        "/a/",                          // a head too short to share
        "",
        "\t\t/tmp/t/dir/b.txt : 2", // shares with a line long before
        "\t\t/tmp/t/dir/日本語のファイル名 : 1,234,567",
    };
    TLogView view;
    std::string text;
    for (const std::string& line : lines) {
        view.AppendLine(line);
        text += line + "\n";
    }
    ASSERT_EQ(view.LineCount(), static_cast<int>(lines.size()));
    for (int i = 0; i < view.LineCount(); ++i)
        EXPECT_EQ(view.Line(i), lines[i]) << i;
    EXPECT_EQ(view.Text(), text);
}

struct LogViewOnScreen : testing::Test
{
    LogViewOnScreen()
    {
        view.resize(400, 120);
        view.show();
        for (int i = 0; i < 200; ++i)
            view.AppendLine("line " + std::to_string(i));
        view.Flush();
    }
    TLogView view;
};

TEST_F(LogViewOnScreen, FollowsTheEndUnlessTheUserScrolledAway)
{
    QScrollBar* bar = view.verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());

    bar->setValue(10);
    view.AppendLine("more");
    view.Flush();
    EXPECT_EQ(bar->value(), 10);

    // Left to the refresh tick, as during a run.
    bar->setValue(bar->maximum());
    const int before = bar->maximum();
    for (int i = 0; i < 20; ++i)
        view.AppendLine("and more");
    QTRY_VERIFY_WITH_TIMEOUT(bar->maximum() > before, 2000);
    EXPECT_EQ(bar->value(), bar->maximum());
}

TEST_F(LogViewOnScreen, DraggingSelectsAndCtrlCCopies)
{
    view.verticalScrollBar()->setValue(0);
    const int h = view.fontMetrics().lineSpacing();
    QWidget* vp = view.viewport();
    // From the start of line 0 to the middle of line 1.
    QTest::mousePress(vp, Qt::LeftButton, {}, QPoint(0, h / 2));
    QTest::mouseMove(vp, QPoint(view.fontMetrics().horizontalAdvance("line") + 3, h + h / 2));
    QTest::mouseRelease(vp, Qt::LeftButton, {},
                        QPoint(view.fontMetrics().horizontalAdvance("line") + 3, h + h / 2));
    EXPECT_EQ(view.SelectedText(), QStringLiteral("line 0\nline"));

    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("line 0\nline"));

    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(view.SelectedText().startsWith(QStringLiteral("line 0\nline 1\n")));
    EXPECT_TRUE(view.SelectedText().endsWith(QStringLiteral("line 199")));
}

} // namespace
} // namespace tallyrun::test
