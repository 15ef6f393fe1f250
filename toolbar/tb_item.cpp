#include "toolbar/tb_item.h"

namespace tallyrun {

TTBItem::TTBItem(const QString& caption, int imageIndex, QObject* parent)
    : QAction(caption, parent), imageIndex_(imageIndex)
{
    setCheckable(true);
    // Connected first, so the check mark is settled before anyone else hears of the click.
    connect(this, &QAction::triggered, this, &TTBItem::Triggered);
}

void TTBItem::Triggered(bool checked)
{
    // The action toggled itself already; an item without AutoCheck takes that back.
    if (!autoCheck_)
        setChecked(!checked);
    emit Click();
}

} // namespace tallyrun
