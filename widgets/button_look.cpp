#include "widgets/button_look.h"

namespace tallyrun {

TBevels RestBevels(TButtonStyle style)
{
    switch (style) {
    case bsLowered:
        return {bvNone, bvLowered};
    case bsRaised:
        return {bvNone, bvRaised};
    case bsFrame:
        return {bvLowered, bvRaised};
    case bsGroove:
        return {bvRaised, bvLowered};
    case bsNone:
    case bsIELike:
    case bsSpBtnLike:
    case bsStdButton:
        break;
    }
    return {bvNone, bvNone};
}

void SetPressedLook(TButtonStyle style, TPressedLook look, bool mouseOver, TBevels& bevels)
{
    const bool pressed = look == TPressedLook::Pressed;
    switch (style) {
    case bsNone:
        bevels.outer = pressed ? bvLowered : bvNone;
        break;
    case bsLowered:
        bevels.inner = pressed ? bvLowered : bvNone;
        break;
    case bsRaised:
        bevels.outer = pressed ? bvLowered : bvRaised;
        break;
    case bsFrame:
        bevels.outer = pressed ? bvNone : bvRaised;
        break;
    case bsGroove:
        bevels.inner = pressed ? bvNone : bvRaised;
        break;
    case bsIELike:
        bevels.outer = pressed ? bvLowered : (mouseOver ? bvRaised : bvNone);
        break;
    case bsSpBtnLike:
        // The release toggles between raised and none.
        bevels.outer = pressed ? bvLowered : (bevels.outer == bvRaised ? bvNone : bvRaised);
        break;
    case bsStdButton:
        break; // its look comes from the frame drawn on the face
    }
}

} // namespace tallyrun
