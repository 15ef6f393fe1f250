// Drive captions that follow removable media: when a removable volume is mounted its drive
// node shows the volume's label with the mount point, and when it goes only the mount point.
// Mounts and unmounts are noticed through the mount table's change mark on the event loop.
#include "shelltree/tree_view.h"

#include "base/handler_errors.h"
#include "platform/mount_table.h"
#include "shelltree/media_caption.h"

#include <QSocketNotifier>
#include <QTreeWidgetItemIterator>

namespace tallyrun {
namespace {

std::vector<std::string> RemovableMountPoints()
{
    std::vector<std::string> points;
    for (const platform::TMountEntry& mount : platform::ReadBlockMounts())
        if (mount.removable)
            points.push_back(mount.mountPoint);
    return points;
}

std::string MountLabel(const std::string& mountPoint)
{
    for (const platform::TMountEntry& mount : platform::ReadBlockMounts())
        if (mount.mountPoint == mountPoint)
            return mount.label;
    return {};
}

// A drive item's path is its mount point with a trailing separator.
std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

void TCustomQorShTreeView::SetMediaSource(platform::TMountPointSource mountPoints,
                                          TVolumeLabelSource labels)
{
    mediaPoints_ = std::move(mountPoints);
    mediaLabels_ = std::move(labels);
    WatchMedia();
}

void TCustomQorShTreeView::WatchMedia()
{
    mediaNotifier_.reset();
    mediaDetector_.reset();
    if (!mediaPoints_)
        mediaPoints_ = RemovableMountPoints;
    if (!mediaLabels_)
        mediaLabels_ = MountLabel;
    mediaDetector_ = std::make_unique<platform::TMountChangeDetector>(mediaPoints_);
    if (mediaDetector_->Fd() < 0)
        return;
    mediaNotifier_ =
        std::make_unique<QSocketNotifier>(mediaDetector_->Fd(), QSocketNotifier::Exception);
    connect(mediaNotifier_.get(), &QSocketNotifier::activated, this,
            [this] { RunHandler([this] { MediaChanged(); }); });
}

void TCustomQorShTreeView::MediaChanged()
{
    if (!mediaDetector_ || destroying_)
        return;
    const platform::TMountChanges changes = mediaDetector_->Update();
    for (const std::string& point : changes.removed)
        SetDriveCaption(point, MediaRemovalCaption(WithoutTrailingSeparator(point)));
    for (const std::string& point : changes.added)
        SetDriveCaption(point,
                        MediaArrivalCaption(mediaLabels_(point), WithoutTrailingSeparator(point)));
}

void TCustomQorShTreeView::SetDriveCaption(const std::string& mountPoint,
                                           const std::string& caption)
{
    // Only a drive node the tree already shows changes; a drive it does not show (its folder
    // not yet listed, or a root below it) is left alone, rather than the caption falling on
    // some other node.
    const std::string wanted = WithoutTrailingSeparator(mountPoint);
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        auto* node = static_cast<TQorShTreeNode*>(*it);
        if (TQorShTreeNode::IsValid(node) && node->Item()->ItemType() == itRootDrive &&
            WithoutTrailingSeparator(node->Item()->Path()) == wanted)
            node->setText(0, QString::fromStdString(caption));
    }
}

} // namespace tallyrun
