// Drilling down from the chart: a double-click on a subfolder's slice selects that subfolder
// in the real folder tree, which runs its analysis; "root", empty space and drags lead nowhere.
#include "app/chart_double_click.h"
#include "app/event_pump.h"
#include "app/main_window.h"
#include "shelltree/tree_view.h"
#include "tests/support/temp_tree.h"
#include "tree_window.h"
#include "widgets/log_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace tallyrun::test {
namespace {

// One mouse event on the chart, as the toolkit delivers them: the second press of a
// double-click comes as the double-click alone.
struct TStep
{
    enum Kind
    {
        Press,
        Move,
        DoubleClick,
        Release
    } kind;
    int dx = 0; // offset from the target point
    int dy = 0;
};

using TGesture = std::vector<TStep>;

const TGesture kDoubleClick = {
    {TStep::Press}, {TStep::Release}, {TStep::DoubleClick}, {TStep::Release}};
// The first press drags away and back before the second press.
const TGesture kDragThenPress = {{TStep::Press},   {TStep::Move, 30, 0}, {TStep::Move, 0, 0},
                                 {TStep::Release}, {TStep::DoubleClick}, {TStep::Release}};
// The second press goes on into a drag.
const TGesture kPressThenDrag = {
    {TStep::Press}, {TStep::Release}, {TStep::DoubleClick}, {TStep::Move, 0, 20}, {TStep::Release}};

TEST(ChartDoubleClickTest, OnlyADoubleClickWithoutMovementCompletes)
{
    const struct
    {
        const char* name;
        TGesture gesture;
        bool completes;
    } cases[] = {
        {"still double-click", kDoubleClick, true},
        {"drag, then press", kDragThenPress, false},
        {"press, then drag", kPressThenDrag, false},
        {"moves that stay on the press point",
         {{TStep::Press},
          {TStep::Move},
          {TStep::Release},
          {TStep::DoubleClick},
          {TStep::Move},
          {TStep::Release}},
         true},
        {"single click", {{TStep::Press}, {TStep::Release}}, false},
        {"a drag before an earlier still click",
         {{TStep::Press},
          {TStep::Release},
          {TStep::Press},
          {TStep::Move, 5, 5},
          {TStep::Release},
          {TStep::DoubleClick},
          {TStep::Release}},
         false},
    };
    for (const auto& c : cases) {
        TChartDoubleClick tracker;
        std::optional<TChartPoint> done;
        const TChartPoint at{100, 50};
        for (const TStep& step : c.gesture) {
            const TChartPoint p{at.x + step.dx, at.y + step.dy};
            switch (step.kind) {
            case TStep::Press:
                tracker.Press(p);
                break;
            case TStep::Move:
                tracker.Move(p);
                break;
            case TStep::DoubleClick:
                tracker.Press(p);
                tracker.DoubleClick(p);
                break;
            case TStep::Release:
                done = tracker.Release();
                break;
            }
        }
        EXPECT_EQ(done.has_value(), c.completes) << c.name;
        if (c.completes && done) {
            EXPECT_EQ(*done, at) << c.name;
        }
    }
}

// The main window with the real tree rooted at a temporary folder that holds a few files of
// its own and two subfolders, one with a long name and one whose name is not UTF-8.
class DrillDownTest : public ::testing::Test
{
protected:
    DrillDownTest()
    {
        root = temp.Folder();
        longName = root + "/alpha_long_folder_name";
        oddName = root + "/caf\xE9";
        std::filesystem::create_directories(longName + "/inner");
        std::filesystem::create_directories(oddName);
        Write(root + "/own.bin", 2000);
        Write(longName + "/inner/a.bin", 5000);
        Write(oddName + "/b.bin", 3000);
        InstallEventPump(std::chrono::microseconds(0));
        tree = NewTreeRootedAt(root);
        window.emplace(*tree, tree);
        window->resize(800, 534);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&*window));
        tree->Loaded();
        window->Chart1->repaint();
    }
    ~DrillDownTest() override
    {
        window.reset();
        // Qt cannot remove names that are not UTF-8.
        std::filesystem::remove_all(oddName);
    }
    static void Write(const std::string& path, std::size_t size)
    {
        std::ofstream(path, std::ios::binary) << std::string(size, 'x');
    }

    // A point well inside the slice labelled `label`, as last painted.
    QPoint PointInSlice(const std::string& label) const
    {
        const TPieSeries& pie = *window->Series1;
        const auto inside = [&](int x, int y, int index) {
            for (int d : {-4, 0, 4})
                if (pie.SliceAtPoint(x + d, y) != index || pie.SliceAtPoint(x, y + d) != index)
                    return false;
            return true;
        };
        for (int i = 0; i < pie.PointCount(); ++i) {
            if (pie.PointLabel(i) != label)
                continue;
            for (int y = 0; y < window->Chart1->height(); y += 2)
                for (int x = 0; x < window->Chart1->width(); x += 2)
                    if (inside(x, y, i))
                        return {x, y};
        }
        ADD_FAILURE() << "no point in slice " << label;
        return {};
    }

    void Perform(const TGesture& gesture, QPoint at, Qt::MouseButton button = Qt::LeftButton)
    {
        QWidget* chart = window->Chart1;
        for (const TStep& step : gesture) {
            const QPointF p = at + QPoint(step.dx, step.dy);
            const QPointF global = chart->mapToGlobal(p);
            const auto send = [&](QEvent::Type type, Qt::MouseButtons held) {
                QMouseEvent event(type, p, global,
                                  type == QEvent::MouseMove ? Qt::NoButton : button, held,
                                  Qt::NoModifier);
                QApplication::sendEvent(chart, &event);
            };
            switch (step.kind) {
            case TStep::Press:
                send(QEvent::MouseButtonPress, button);
                break;
            case TStep::Move:
                send(QEvent::MouseMove, button);
                break;
            case TStep::DoubleClick:
                send(QEvent::MouseButtonDblClick, button);
                break;
            case TStep::Release:
                send(QEvent::MouseButtonRelease, Qt::NoButton);
                break;
            }
        }
    }

    std::string Selected() const
    {
        std::string path;
        tree->SelectedPath(path);
        return path;
    }

    TTempTree temp;
    std::string root;
    std::string longName;
    std::string oddName;
    TQorShTreeView* tree = nullptr;
    std::optional<TfrmMain> window;
};

TEST_F(DrillDownTest, ADoubleClickOnASubfolderSliceSelectsAndAnalysesThatFolder)
{
    ASSERT_EQ(Selected(), root);
    const struct
    {
        std::string label;
        std::string folder;
    } cases[] = {
        {"alpha...", longName},
        {"caf\xE9", oddName},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        ASSERT_TRUE(tree->SelectFolder(root));
        window->Chart1->repaint();
        Perform(kDoubleClick, PointInSlice(c.label));
        EXPECT_EQ(Selected(), c.folder);
        // The run of the new selection has filled the log and the chart.
        EXPECT_EQ(window->memSearch->Text().rfind(c.folder + "/\n", 0), 0u);
        EXPECT_GE(window->Series1->PointCount(), 1);
    }
}

TEST_F(DrillDownTest, RootEmptySpaceDragsAndOtherButtonsLeadNowhere)
{
    window->Chart1->repaint();
    const QPoint empty(3, 3);
    ASSERT_EQ(window->Series1->SliceAtPoint(empty.x(), empty.y()), -1);
    const QPoint sub = PointInSlice("alpha...");
    const struct
    {
        const char* name;
        TGesture gesture;
        QPoint at;
        Qt::MouseButton button;
    } cases[] = {
        {"root slice", kDoubleClick, PointInSlice("root"), Qt::LeftButton},
        {"empty space", kDoubleClick, empty, Qt::LeftButton},
        {"drag, then press", kDragThenPress, sub, Qt::LeftButton},
        {"press, then drag", kPressThenDrag, sub, Qt::LeftButton},
        {"right button", kDoubleClick, sub, Qt::RightButton},
    };
    for (const auto& c : cases) {
        window->Chart1->View3DOptions().SetHorizOffset(0);
        window->Chart1->View3DOptions().SetVertOffset(0);
        window->Chart1->repaint();
        Perform(c.gesture, c.at, c.button);
        EXPECT_EQ(Selected(), root) << c.name;
    }
}

} // namespace
} // namespace tallyrun::test
