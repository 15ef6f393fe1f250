// The tree's own texts in the user's language: messages the tree's boxes show are marked with
// QT_TRANSLATE_NOOP("TQorShTreeView", ...) where they are written and translated here.
#pragma once

#include <QtGlobal>

#include <string>

namespace tallyrun {

std::string TreeText(const char* text);

} // namespace tallyrun
