#include "app/folder_tree_stand_in.h"

#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QStandardPaths>

namespace tallyrun {

TFolderTreeStandIn::TFolderTreeStandIn(QWidget* parent)
    : QTreeView(parent), model_(new QFileSystemModel(this))
{
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Hidden);
    model_->setRootPath(QStringLiteral("/"));
    setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        hideColumn(column);
    header()->hide();
    setIndentation(19);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid() && OnChange)
                    OnChange(this, nullptr);
            });
}

void TFolderTreeStandIn::SelectedPath(std::string& text) const
{
    text.clear();
    const QModelIndex index = currentIndex();
    if (index.isValid())
        text = model_->filePath(index).toStdString();
}

void TFolderTreeStandIn::SelectInitialFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    if (!QDir(folder).exists())
        folder = QDir::homePath();
    const QModelIndex index = model_->index(folder);
    scrollTo(index);
    setCurrentIndex(index);
}

} // namespace tallyrun
