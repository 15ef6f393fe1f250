// A main window driven by a selected-folder double over a real temporary folder tree.
#pragma once

#include "app/event_pump.h"
#include "app/main_window.h"
#include "shelltree/selected_folder.h"
#include "tests/support/temp_tree.h"
#include "widgets/log_view.h"
#include "widgets/status_progress_bar.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tallyrun::test {

// Gives a fixed path; counts the calls and can act on a given call.
class TFakeSelectedFolder : public TSelectedFolder
{
public:
    void SelectedPath(std::string& text) const override
    {
        text.clear();
        ++calls;
        if (onCall)
            onCall(calls);
        text = path;
    }
    TQorShTreeNode* SelectedNode() const override { return nullptr; }
    bool SelectFolder(const std::string& newPath) override
    {
        Select(newPath);
        return true;
    }
    // What the tree does when the user selects another folder.
    void Select(const std::string& newPath)
    {
        path = newPath;
        if (OnChange)
            OnChange(nullptr, nullptr);
    }

    std::string path;
    mutable int calls = 0;
    std::function<void(int call)> onCall;
};

// Runs `action` at the next event dispatch, as a queued event would.
inline void PostToEventLoop(std::function<void()> action)
{
    QMetaObject::invokeMethod(qApp, std::move(action), Qt::QueuedConnection);
}

class RunTest : public ::testing::Test
{
protected:
    RunTest() : window(folder)
    {
        // Every pump dispatches, so a queued event lands at an exact point of the run.
        InstallEventPump(std::chrono::microseconds(0));
        root = tree.Folder();
        folder.path = root;
    }

    void MakeFile(const std::string& relative, std::size_t size)
    {
        const std::filesystem::path p = std::filesystem::path(root) / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << std::string(size, 'x');
    }
    void MakeFolder(const std::string& relative)
    {
        std::filesystem::create_directories(std::filesystem::path(root) / relative);
    }

    void Run() { window.QorShTreeView1Change(nullptr, nullptr); }

    std::vector<std::string> MemoLines() const
    {
        std::vector<std::string> lines;
        std::istringstream in(window.memSearch->Text());
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // Label -> value of every slice.
    std::multimap<std::string, double> Slices() const
    {
        std::multimap<std::string, double> slices;
        for (int i = 0; i < window.Series1->PointCount(); ++i)
            slices.emplace(window.Series1->PointLabel(i), window.Series1->YValues()[i]);
        return slices;
    }
    void ExpectIdle() const
    {
        EXPECT_FALSE(window.IsRunning());
        EXPECT_FALSE(window.TB_Stop->isEnabled());
        EXPECT_TRUE(window.StatusProgressBar1->isHidden());
        EXPECT_TRUE(window.StatusProgressBar2->isHidden());
        EXPECT_EQ(window.StatusProgressBar1->Position(), 0);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }

    TTempTree tree;
    std::string root;
    TFakeSelectedFolder folder;
    TfrmMain window;
};

} // namespace tallyrun::test
