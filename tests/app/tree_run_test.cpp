// The main window with the real folder tree in its left pane: selecting a folder in the tree
// runs the analysis of that folder, with the folder's raw path bytes.
#include "app/event_pump.h"
#include "app/main_window.h"
#include "base/fonts.h"
#include "shelltree/tree_view.h"
#include "tests/support/temp_tree.h"
#include "tree_window.h"
#include "widgets/log_view.h"

#include <QFontInfo>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace tallyrun::test {
namespace {

TEST(TreeRunTest, SelectingAFolderWhoseNameIsNotUtf8TotalsItsBytes)
{
    TTempTree temp;
    ASSERT_TRUE(std::filesystem::is_directory(temp.Root()));
    const std::string root = temp.Folder();
    const std::string odd = root + "/caf\xE9";
    std::filesystem::create_directories(odd + "/sub\xFF");
    std::ofstream(odd + "/own\xE9.bin", std::ios::binary) << std::string(1000, 'x');
    std::ofstream(odd + "/sub\xFF/deep.bin", std::ios::binary) << std::string(234, 'y');

    InstallEventPump(std::chrono::microseconds(0));
    auto* tree = NewTreeRootedAt(root);
    TfrmMain window(*tree, tree);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    tree->Loaded();

    TQorShTreeNode* node = tree->RootNode()->ChildNode(0);
    ASSERT_NE(node, nullptr);
    // The label shows a visible replacement for the byte that is not UTF-8.
    EXPECT_EQ(node->text(0), QStringLiteral("caf\uFFFD"));
    const QRect rect = tree->visualItemRect(node);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {},
                      QPoint(rect.left() + 4, rect.center().y()));
    ASSERT_EQ(tree->SelectedNode(), node);

    std::string path;
    tree->SelectedPath(path);
    EXPECT_EQ(path, odd);
    std::map<std::string, double> slices;
    for (int i = 0; i < window.Series1->PointCount(); ++i)
        slices[window.Series1->PointLabel(i)] = window.Series1->YValues()[i];
    EXPECT_EQ(slices.size(), 2u);
    EXPECT_EQ(slices["root"], 1000.0);
    double subTotal = 0;
    for (const auto& [label, total] : slices)
        if (label != "root")
            subTotal = total;
    EXPECT_EQ(subTotal, 234.0);
    EXPECT_NE(window.memSearch->Text().find(odd + "/"), std::string::npos);
}

TEST(TreeRunTest, EveryPartOfTheWindowDrawsInTheWindowsFont)
{
    // The family as the font engine resolved it: a name that merely starts like the wanted
    // one, or a request that was never matched, would pass a test of the requested family.
    InstallFontSubstitutions();
    TTempTree temp;
    ASSERT_TRUE(std::filesystem::is_directory(temp.Root()));
    auto* tree = NewTreeRootedAt(temp.Folder());
    TfrmMain window(*tree, tree);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QFontInfo wanted(window.font());
    ASSERT_EQ(wanted.pixelSize(), 12);
    ASSERT_NE(wanted.family().toStdString(), QFontInfo(QFont()).family().toStdString());
    for (const QWidget* child : window.findChildren<QWidget*>()) {
        SCOPED_TRACE(child->metaObject()->className());
        const QFontInfo info(child->font());
        EXPECT_EQ(info.family().toStdString(), wanted.family().toStdString());
        EXPECT_EQ(info.pixelSize(), 12);
    }
}

} // namespace
} // namespace tallyrun::test
