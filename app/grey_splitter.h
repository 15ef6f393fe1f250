// TGreySplitter: the window's splitter, whose bar is drawn in plain grey. The grey is painted by
// the handle itself, not by a style sheet: a style sheet on the splitter would stop the
// window's font from reaching the tree and the log inside it.
#pragma once

#include <QSplitter>

namespace tallyrun {

class TGreySplitter : public QSplitter
{
public:
    // A bar of `width` pixels between the panes.
    TGreySplitter(Qt::Orientation orientation, int width, QWidget* parent = nullptr);

protected:
    QSplitterHandle* createHandle() override;
};

} // namespace tallyrun
