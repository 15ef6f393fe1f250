#include "toolbar/tb_image_list.h"

#include <QPixmap>

namespace tallyrun {

TTBImageList::TTBImageList(QSize size, QObject* parent) : QObject(parent), size_(size) {}

int TTBImageList::Add(const QImage& image)
{
    images_.push_back(image.size() == size_
                          ? image
                          : image.scaled(size_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    return Count() - 1;
}

QImage TTBImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return images_[static_cast<std::size_t>(index)];
}

QIcon TTBImageList::Icon(int index) const
{
    const QImage image = Image(index);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

} // namespace tallyrun
