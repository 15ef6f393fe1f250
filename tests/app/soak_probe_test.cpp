// The soak probe over a real main window: what it writes for the driver to read (run starts and
// ends, each run's memo and slices, message boxes, the state file) and that it shows the boxes
// as the program would without it.
#include "app/soak_probe.h"

#include "app/event_pump.h"
#include "base/handler_errors.h"
#include "run_fixture.h"
#include "tree_window.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <sstream>

namespace tallyrun::test {
namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string Hex(const std::string& bytes)
{
    return QByteArray::fromStdString(bytes).toHex().toStdString();
}

class SoakProbeTest : public RunTest
{
protected:
    std::string Events() const { return ReadFile(probeDir + "/events"); }

    QTemporaryDir out;
    std::string probeDir = out.path().toStdString() + "/probe";
};

TEST_F(SoakProbeTest, RunsAndTheirMemoAndSlicesAreWrittenAsTheWindowHasThem)
{
    MakeFile("a.bin", 1000);
    MakeFile("Documents/b.bin", 250);
    std::vector<QString> shown;
    SetHandlerErrorDisplay([&shown](const QString& m) { shown.push_back(m); });
    {
        TSoakProbe probe(window, QString::fromStdString(probeDir));
        Run();
        // A stop during the second run: its end is logged as stopped.
        folder.onCall = [this](int call) {
            if (call == 8)
                window.TB_StopClick(nullptr);
        };
        Run();
        ShowHandlerError(QStringLiteral("ファイル x を作成できません"));
        EXPECT_TRUE(QTest::qWaitFor(
            [this] {
                return ReadFile(probeDir + "/state").find("runs 2 1 1\n") != std::string::npos;
            },
            2000));
    }
    SetHandlerErrorDisplay({});
    // The box still reached the display that was in place before the probe.
    EXPECT_EQ(shown, (std::vector<QString>{QStringLiteral("ファイル x を作成できません")}));

    const std::string events = Events();
    EXPECT_NE(events.find("run_start 1 "), std::string::npos);
    std::string startLine = Hex(root + "/");
    startLine += '\n';
    EXPECT_NE(events.find(startLine), std::string::npos) << events;
    EXPECT_NE(events.find("finished\n"), std::string::npos);
    EXPECT_NE(events.find("stopped\n"), std::string::npos);
    EXPECT_NE(events.find("error "), std::string::npos);
    EXPECT_NE(events.find("probe_end"), std::string::npos);

    // The first run's files are the window's memo and slices as that run left them.
    const std::string memo = ReadFile(probeDir + "/run-1.memo");
    EXPECT_NE(memo.find("\t1,000 Byte\n"), std::string::npos) << memo;
    EXPECT_NE(memo.find("\t250 Byte\n"), std::string::npos) << memo;
    const std::string slices = ReadFile(probeDir + "/run-1.slices");
    EXPECT_NE(slices.find(Hex("root") + "\t1000\n"), std::string::npos) << slices;
    EXPECT_NE(slices.find(Hex("Docum...") + "\t250\n"), std::string::npos) << slices;
}

TEST_F(SoakProbeTest, WithoutTheVariableThereIsNoProbe)
{
    qunsetenv("TALLYRUN_SOAK_PROBE");
    EXPECT_EQ(StartSoakProbeIfAsked(window), nullptr);
    qputenv("TALLYRUN_SOAK_PROBE", QByteArray::fromStdString(probeDir));
    EXPECT_NE(StartSoakProbeIfAsked(window), nullptr);
    qunsetenv("TALLYRUN_SOAK_PROBE");
}

TEST_F(SoakProbeTest, TheStateListsTheTreeRowsInViewFromTheTopDown)
{
    // "dN", built without operator+ on a temporary, which GCC 12 warns about wrongly.
    const auto name = [](std::size_t n) {
        std::string text = "d";
        text += std::to_string(n);
        return text;
    };
    for (std::size_t i = 0; i < 200; ++i)
        MakeFile(name(1000 + i).append("/f"), 1);
    InstallEventPump(std::chrono::microseconds(0));
    auto* tree = NewTreeRootedAt(root);
    TfrmMain treeWindow(*tree, tree);
    treeWindow.resize(792, 500);
    treeWindow.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&treeWindow));
    tree->Loaded();
    tree->scrollToItem(tree->RootNode()->child(50), QAbstractItemView::PositionAtTop);

    TSoakProbe probe(treeWindow, QString::fromStdString(probeDir));
    std::vector<std::string> names;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            names.clear();
            std::istringstream lines(ReadFile(probeDir + "/state"));
            for (std::string line; std::getline(lines, line);)
                if (line.rfind("node ", 0) == 0)
                    names.push_back(line.substr(line.rfind(' ') + 1));
            return !names.empty();
        },
        2000));
    // The rows from the one scrolled to the top, in order, and none out of view.
    ASSERT_GE(names.size(), 3u);
    EXPECT_LT(names.size(), 100u);
    for (std::size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(names[i], Hex(name(1050 + i))) << i;
}

TEST_F(SoakProbeTest, DragsAndDropsAreLoggedWithTheTreesItemAndPassedOn)
{
    MakeFile("target/f", 1);
    auto* tree = NewTreeRootedAt(root);
    TfrmMain treeWindow(*tree, tree);
    tree->Loaded();
    TQorShFolderData* item = tree->RootNode()->Item();
    int passed = 0;
    tree->OnShDragDrop = [&](QObject*, TQorShFolderData*, bool& allow) {
        ++passed;
        allow = false;
    };
    {
        TSoakProbe probe(treeWindow, QString::fromStdString(probeDir));
        bool allow = true;
        tree->OnShDragDrop(tree, item, allow);
        EXPECT_FALSE(allow);
        allow = true;
        tree->OnShBeginDrag(tree, item, allow);
        EXPECT_TRUE(allow);
    }
    EXPECT_EQ(passed, 1);
    const std::string events = Events();
    EXPECT_NE(events.find("drop "), std::string::npos) << events;
    // Built without operator+ on a temporary, which GCC 12 warns about wrongly.
    std::string logged = " ";
    logged.append(Hex(item->Path()));
    EXPECT_NE(events.find(logged + " 0\n"), std::string::npos) << events;
    EXPECT_NE(events.find(logged + " 1\n"), std::string::npos) << events;
    EXPECT_LT(events.find("drop "), events.find("drag ")) << events;
    // Once the probe has gone, the tree's own handlers are back.
    bool allow = true;
    tree->OnShDragDrop(tree, item, allow);
    EXPECT_EQ(passed, 2);
    EXPECT_FALSE(tree->OnShBeginDrag);
}

// The state names where to click to dismiss a modal window, since a key reaches it only when it
// has the keyboard focus: a box's escape button, else its default one; a dialog's Cancel.
TEST_F(SoakProbeTest, TheStateNamesTheButtonThatDismissesTheModalWindow)
{
    QMessageBox question(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("q"),
                         QMessageBox::Yes | QMessageBox::No);
    QMessageBox error(QMessageBox::Critical, QStringLiteral("t"), QStringLiteral("e"),
                      QMessageBox::Ok);
    error.setDefaultButton(QMessageBox::Ok);
    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    question.setEscapeButton(QMessageBox::No);
    const std::pair<QWidget*, QAbstractButton*> cases[] = {
        {&question, question.button(QMessageBox::No)},
        {&error, error.button(QMessageBox::Ok)},
        {&files, files.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)},
    };
    TSoakProbe probe(window, QString::fromStdString(probeDir));
    for (const auto& [modal, button] : cases) {
        modal->setWindowModality(Qt::ApplicationModal);
        modal->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(modal));
        const QPoint at = button->mapToGlobal(QPoint(0, 0));
        const std::string expected =
            "modal_close " + std::to_string(at.x()) + " " + std::to_string(at.y()) + " " +
            std::to_string(button->width()) + " " + std::to_string(button->height()) + "\n";
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return ReadFile(probeDir + "/state").find(expected) != std::string::npos; },
            2000))
            << modal->metaObject()->className() << ": " << ReadFile(probeDir + "/state");
        modal->hide();
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return ReadFile(probeDir + "/state").find("modal -\n") != std::string::npos; },
        2000));
    EXPECT_EQ(ReadFile(probeDir + "/state").find("modal_close"), std::string::npos);
}

} // namespace
} // namespace tallyrun::test
