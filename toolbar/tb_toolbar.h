// A tool bar docked at the top of its window: items with their picture and caption side by
// side, separators, and pictures from one image list. It stays where it is docked: it cannot
// be moved, floated or closed.
#pragma once

#include <QToolBar>

namespace tallyrun {

class TTBImageList;
class TTBItem;

class TTBToolbar : public QToolBar
{
    Q_OBJECT

public:
    // `caption` is the tool bar's title; `images` gives the items' pictures and must outlive
    // the tool bar (it may be null: items then show their captions alone).
    TTBToolbar(const QString& caption, const TTBImageList* images, QWidget* parent = nullptr);

    // Appends an item showing picture `imageIndex` (-1 for none) beside `caption`.
    TTBItem* AddItem(const QString& caption, int imageIndex);
    void AddSeparator() { addSeparator(); }

    const TTBImageList* Images() const { return images_; }

private:
    const TTBImageList* images_;
};

} // namespace tallyrun
