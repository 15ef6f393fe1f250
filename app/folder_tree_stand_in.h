// A plain folder tree over the file system that fills the main window's left pane until the
// shell folder tree lands. It fulfils the selected-folder contract: the path of the selected
// folder, and a report when the selection moves.
#pragma once

#include "shelltree/selected_folder.h"

#include <QTreeView>

class QFileSystemModel;

namespace tallyrun {

class TFolderTreeStandIn : public QTreeView, public TSelectedFolder
{
    Q_OBJECT

public:
    explicit TFolderTreeStandIn(QWidget* parent = nullptr);

    void SelectedPath(std::string& text) const override;
    TQorShTreeNode* SelectedNode() const override { return nullptr; }

    // Selects the desktop directory (the home folder when there is none), which reports the
    // change like any other.
    void SelectInitialFolder();

private:
    QFileSystemModel* model_;
};

} // namespace tallyrun
