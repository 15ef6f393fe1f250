// A selected-folder source that always gives one path: how the benchmarks point the main
// window at a folder without a folder tree.
#pragma once

#include "shelltree/selected_folder.h"

#include <string>
#include <utility>

namespace tallyrun {

class TFixedSelectedFolder : public TSelectedFolder
{
public:
    explicit TFixedSelectedFolder(std::string path) : path_(std::move(path)) {}
    void SelectedPath(std::string& text) const override { text = path_; }
    TQorShTreeNode* SelectedNode() const override { return nullptr; }
    bool SelectFolder(const std::string&) override { return false; }

private:
    std::string path_;
};

} // namespace tallyrun
