// The folder tree on the offscreen platform rooted at a folder's parent, shown and loaded, with
// that folder's node found: what the tree benchmarks time their work on.
#pragma once

#include "shelltree/sh_location.h"
#include "shelltree/tree_view.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

class TTreeAtParent
{
public:
    explicit TTreeAtParent(const std::string& dir) : dir_(dir)
    {
        root.SetUsesID(false);
        root.SetRootPath(ParentOf(dir));
        tree.SetShRoot(root);
        tree.resize(300, 800);
        tree.show();
        QApplication::processEvents();
        tree.Loaded();
        const QString label = QString::fromStdString(tallyrun::DisplayTextOfName(NameOf(dir)));
        // A parent that cannot be opened leaves the tree without a root node.
        for (int i = 0; tree.RootNode() && i < tree.RootNode()->childCount(); ++i)
            if (tree.RootNode()->child(i)->text(0) == label)
                node = tree.RootNode()->ChildNode(i);
    }

    // Whether the folder's node was found; says so on stderr, as `program`, when it was not.
    bool Listed(const char* program) const
    {
        if (!node)
            std::fprintf(stderr, "%s: %s is not listed\n", program, dir_.c_str());
        return node != nullptr;
    }

    // Selects the folder's node (or `top`) and opens its whole subtree with '*', as a user
    // would, and waits until the last folder below it is open.
    void OpenSubtree(tallyrun::TQorShTreeNode* top = nullptr)
    {
        tree.setCurrentItem(top ? top : node);
        QApplication::processEvents();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Asterisk, Qt::NoModifier, QStringLiteral("*"));
        QApplication::sendEvent(&tree, &press);
        while (tree.ExpandingSubtree())
            QApplication::processEvents(QEventLoop::AllEvents);
        QApplication::processEvents();
    }

    tallyrun::TQorShTreeView tree;
    tallyrun::TQorShRoot root;
    tallyrun::TQorShTreeNode* node = nullptr; // null when the folder is not listed

private:
    std::string dir_;

    static std::string Trimmed(std::string path)
    {
        while (path.size() > 1 && path.back() == '/')
            path.pop_back();
        return path;
    }
    static std::string ParentOf(const std::string& path)
    {
        const std::string trimmed = Trimmed(path);
        const std::size_t slash = trimmed.rfind('/');
        return slash == 0 ? "/" : trimmed.substr(0, slash);
    }
    static std::string NameOf(const std::string& path)
    {
        const std::string trimmed = Trimmed(path);
        return trimmed.substr(trimmed.rfind('/') + 1);
    }
};

// The tree benchmarks' command line, `NAME DIR [RUNS]`: DIR and the number of rounds
// (`defaultRuns` when none is given, at least 1); none, after the usage line, when DIR is
// missing. Picks the offscreen platform unless QT_QPA_PLATFORM names one, so it comes before
// the application is made.
struct TTreeBenchArgs
{
    std::string dir;
    int runs = 1;
};
inline std::optional<TTreeBenchArgs> TreeBenchArgs(int argc, char** argv, const char* name,
                                                   int defaultRuns)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIR [RUNS]\n", name);
        return std::nullopt;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return TTreeBenchArgs{argv[1], argc > 2 ? std::max(1, std::atoi(argv[2])) : defaultRuns};
}

inline double MsSince(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}
