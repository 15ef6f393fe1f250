#include "shelltree/drop_effect.h"

namespace tallyrun {

platform::TDropEffect DropEffectForModifiers(Qt::KeyboardModifiers modifiers)
{
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool control = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier) || (shift && control))
        return platform::TDropEffect::deLink;
    return shift ? platform::TDropEffect::deMove : platform::TDropEffect::deCopy;
}

Qt::DropAction DropActionOfEffect(platform::TDropEffect effect)
{
    switch (effect) {
    case platform::TDropEffect::deMove:
        return Qt::MoveAction;
    case platform::TDropEffect::deLink:
        return Qt::LinkAction;
    case platform::TDropEffect::deCopy:
        break;
    }
    return Qt::CopyAction;
}

} // namespace tallyrun
