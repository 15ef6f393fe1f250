// An image list: pictures of one size, addressed by their number, that tool-bar items show.
#pragma once

#include <QIcon>
#include <QImage>
#include <QObject>
#include <QSize>

#include <vector>

namespace tallyrun {

class TTBImageList : public QObject
{
    Q_OBJECT

public:
    // Every image of the list is `size` pixels; the list belongs to `parent`, its window.
    explicit TTBImageList(QSize size, QObject* parent = nullptr);

    QSize ImageSize() const { return size_; }
    int Count() const { return static_cast<int>(images_.size()); }

    // Adds `image`, scaled to the list's size when it has another one; returns its number.
    int Add(const QImage& image);
    // The image with number `index`; a null image for a number outside the list.
    QImage Image(int index) const;
    // The image as an icon; an empty icon (no picture) for a number outside the list.
    QIcon Icon(int index) const;

private:
    QSize size_;
    std::vector<QImage> images_;
};

} // namespace tallyrun
