// A folder tree shown on the offscreen platform over a temporary home, with its selection
// reports recorded, and helpers that find nodes by label and press on them.
#pragma once

#include "shell_fixture.h"
#include "shelltree/tree_view.h"
#include "tests/support/event_waits.h"

#include <QElapsedTimer>
#include <QTest>

#include <memory>
#include <string>
#include <vector>

namespace tallyrun::test {

class TreeFixture : public ShellFixture
{
protected:
    struct Report
    {
        TQorShTreeNode* node;
        qint64 atMs;
    };

    void SetUp() override
    {
        ShellFixture::SetUp();
        clock_.start();
    }
    void TearDown() override
    {
        tree_.reset();
        ShellFixture::TearDown();
    }

    // A tree rooted at `rootPath` (the Desktop when empty), shown and built.
    TQorShTreeView& Build(const std::string& rootPath = {})
    {
        tree_ = std::make_unique<TQorShTreeView>();
        tree_->OnChange = [this](QObject*, TQorShTreeNode* node) {
            reports_.push_back({node, clock_.elapsed()});
        };
        if (!rootPath.empty()) {
            TQorShRoot root;
            root.SetUsesID(false);
            root.SetRootPath(rootPath);
            tree_->SetShRoot(root);
        }
        tree_->resize(400, 600);
        tree_->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(tree_.get()));
        tree_->Loaded();
        return *tree_;
    }

    // The child of `parent` (the root when none) shown with `label`.
    TQorShTreeNode* Child(const std::string& label, TQorShTreeNode* parent = nullptr)
    {
        if (!parent)
            parent = tree_->RootNode();
        for (int i = 0; parent && i < parent->childCount(); ++i)
            if (parent->child(i)->text(0).toStdString() == label)
                return parent->ChildNode(i);
        return nullptr;
    }
    std::vector<std::string> Labels(TQorShTreeNode* node)
    {
        std::vector<std::string> labels;
        for (int i = 0; node && i < node->childCount(); ++i)
            labels.push_back(node->child(i)->text(0).toStdString());
        return labels;
    }
    // A point on the node's label.
    QPoint LabelPoint(TQorShTreeNode* node)
    {
        tree_->scrollToItem(node);
        const QRect rect = tree_->visualItemRect(node);
        return QPoint(rect.left() + 4, rect.center().y());
    }
    void Press(TQorShTreeNode* node, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(tree_->viewport(), button, {}, LabelPoint(node));
    }
    void Release(TQorShTreeNode* node, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(tree_->viewport(), button, {}, LabelPoint(node));
    }
    void Click(TQorShTreeNode* node)
    {
        Press(node);
        Release(node);
    }
    std::string SelectedPath()
    {
        std::string path = "unset";
        tree_->SelectedPath(path);
        return path;
    }

    std::unique_ptr<TQorShTreeView> tree_;
    std::vector<Report> reports_;
    QElapsedTimer clock_;
};

} // namespace tallyrun::test
