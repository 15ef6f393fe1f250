#include "shelltree/tree_text.h"

#include <QCoreApplication>

namespace tallyrun {

std::string TreeText(const char* text)
{
    return QCoreApplication::translate("TQorShTreeView", text).toStdString();
}

} // namespace tallyrun
