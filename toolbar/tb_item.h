// One button of a tool bar: caption, image number, enabled and visible states and a check mark.
// An item either toggles its own check mark when clicked (AutoCheck) or leaves the mark to its
// click handler, which then decides the state of the item and of its neighbours.
#pragma once

#include <QAction>

namespace tallyrun {

class TTBItem : public QAction
{
    Q_OBJECT

public:
    // The item can show a check mark from the start; whether a click toggles it is AutoCheck.
    TTBItem(const QString& caption, int imageIndex, QObject* parent);

    // The number of the item's picture in its tool bar's image list; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }

signals:
    // The user clicked the item (or it was triggered); an AutoCheck item has already toggled.
    void Click();

private:
    void Triggered(bool checked);

    int imageIndex_;
    bool autoCheck_ = false;
};

} // namespace tallyrun
