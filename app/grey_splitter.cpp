#include "app/grey_splitter.h"

#include "chart/chart_color.h"

#include <QPaintEvent>
#include <QPainter>
#include <QSplitterHandle>

namespace tallyrun {
namespace {

class TGreySplitterHandle : public QSplitterHandle
{
public:
    using QSplitterHandle::QSplitterHandle;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter(this).fillRect(event->rect(), ColorToQColor(clGray));
    }
};

} // namespace

TGreySplitter::TGreySplitter(Qt::Orientation orientation, int width, QWidget* parent)
    : QSplitter(orientation, parent)
{
    setHandleWidth(width);
    setChildrenCollapsible(false);
}

QSplitterHandle* TGreySplitter::createHandle()
{
    return new TGreySplitterHandle(orientation(), this);
}

} // namespace tallyrun
