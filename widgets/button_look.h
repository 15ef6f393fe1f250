// The looks a picture button can take: its bevel style, focus style, and the bevels it shows
// at rest, pressed and released.
#pragma once

namespace tallyrun {

enum TButtonStyle
{
    bsNone,
    bsLowered,
    bsRaised,
    bsFrame,
    bsGroove,
    bsIELike,
    bsSpBtnLike,
    bsStdButton
};

enum TFocusStyle
{
    bfsNone,
    bfsStdButton,
    bfsInColor
};

enum TBevelCut
{
    bvNone,
    bvLowered,
    bvRaised
};

struct TBevels
{
    TBevelCut inner = bvNone;
    TBevelCut outer = bvNone;
    bool operator==(const TBevels&) const = default;
};

enum class TPressedLook
{
    Pressed,
    Released
};

// The inner and outer bevel of each style at rest.
TBevels RestBevels(TButtonStyle style);

// Changes `bevels` to the pressed or released look of `style`. `mouseOver` tells whether the
// mouse is over the button (only the IE-like release looks at it).
void SetPressedLook(TButtonStyle style, TPressedLook look, bool mouseOver, TBevels& bevels);

} // namespace tallyrun
