// Font names the program asks for that this platform does not know by themselves.
#pragma once

#include <QString>

namespace tallyrun {

// The proportional gothic and mincho faces the user interface asks for by name.
QString GothicFaceName(); // "ＭＳ Ｐゴシック"
QString MinchoFaceName(); // "ＭＳ Ｐ明朝"

// Makes the two names above resolve to IPA P Gothic and IPA P Mincho (or another installed
// Japanese face of the same kind). fontconfig has no alias for them, so without this they fall
// back to a Latin face and Japanese text shows missing glyphs. Call once after the
// application object exists and before any window is made.
void InstallFontSubstitutions();

} // namespace tallyrun
