#include "shelltree/drop_effect.h"

namespace tallyrun {

TDropEffect DropEffectForModifiers(Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier) || (shift && control))
        return TDropEffect::deLink;
    return shift ? TDropEffect::deMove : TDropEffect::deCopy;
}

Qt::DropAction DropActionOfEffect(TDropEffect effect)
{
    switch (effect) {
    case TDropEffect::deMove:
        return Qt::MoveAction;
    case TDropEffect::deLink:
        return Qt::LinkAction;
    case TDropEffect::deCopy:
        break;
    }
    return Qt::CopyAction;
}

} // namespace tallyrun
