// The tree's icons: the process-wide icon list, overlays drawn over the item's icon, and
// fetching them anew when the desktop's settings change.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "shelltree/icon_list.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTreeWidgetItemIterator>

namespace tallyrun {
namespace {

// Posted to the tree itself when the desktop's settings change, so that the icons are fetched
// once the change has been delivered everywhere.
const QEvent::Type kSettingsChangedEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// The emblem drawn over an item's icon for each overlay index: shared, link.
const char* const kOverlayEmblems[] = {"emblem-shared", "emblem-symbolic-link"};

} // namespace

QIcon TCustomQorShTreeView::IconFor(int index, int overlay) const
{
    if (icons_.empty()) {
        const TShIconList& list = SystemIconList();
        for (int i = 0; i < list.Count(); ++i)
            icons_.push_back(list.Icon(i));
    }
    if (index < 0 || index >= static_cast<int>(icons_.size()))
        return {};
    if (overlay < 0 || overlay >= static_cast<int>(std::size(kOverlayEmblems)))
        return icons_[static_cast<std::size_t>(index)];
    const auto key = std::make_pair(index, overlay);
    if (const auto found = overlaid_.find(key); found != overlaid_.end())
        return found->second;
    // The emblem covers the lower left quarter of the icon.
    const int size = iconSize().isValid()
                         ? iconSize().width()
                         : style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    QPixmap pixmap = icons_[static_cast<std::size_t>(index)].pixmap(size, size);
    const QIcon emblem = QIcon::fromTheme(QString::fromLatin1(kOverlayEmblems[overlay]));
    if (!pixmap.isNull() && !emblem.isNull()) {
        QPainter painter(&pixmap);
        painter.drawPixmap(0, size / 2, emblem.pixmap(size / 2, size / 2));
    }
    return overlaid_[key] = QIcon(pixmap);
}

void TCustomQorShTreeView::ResetIcons()
{
    icons_.clear();
    overlaid_.clear();
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if (TQorShFolderData* item = static_cast<TQorShTreeNode*>(*it)->Item())
            item->ResetIconCache();
    viewport()->update();
}

void TCustomQorShTreeView::changeEvent(QEvent* event)
{
    QTreeWidget::changeEvent(event);
    if (event->type() == QEvent::ThemeChange || event->type() == QEvent::StyleChange)
        QApplication::postEvent(this, new QEvent(kSettingsChangedEvent));
}

void TCustomQorShTreeView::customEvent(QEvent* event)
{
    if (event->type() == kSettingsChangedEvent)
        RunHandler([this] { ResetIcons(); });
    else
        QTreeWidget::customEvent(event);
}

} // namespace tallyrun
