#include "toolbar/tb_toolbar.h"

#include "toolbar/tb_image_list.h"
#include "toolbar/tb_item.h"

namespace tallyrun {

namespace {

constexpr int kDockHeight = 26;

} // namespace

TTBToolbar::TTBToolbar(const QString& caption, const TTBImageList* images, QWidget* parent)
    : QToolBar(caption, parent), images_(images)
{
    setMovable(false);
    setFloatable(false);
    // No way to close it: the window's tool-bar menu does not list it, and a right click on
    // it opens no menu of the window's.
    toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (images_)
        setIconSize(images_->ImageSize());
    setFixedHeight(kDockHeight);
}

TTBItem* TTBToolbar::AddItem(const QString& caption, int imageIndex)
{
    auto* item = new TTBItem(caption, imageIndex, this);
    if (images_)
        item->setIcon(images_->Icon(imageIndex));
    addAction(item);
    return item;
}

} // namespace tallyrun
