// The toolkit's information message box (information icon, one "OK" button). How it is shown
// can be replaced, so tests record the messages instead of blocking on a modal box.
#pragma once

#include <QString>

#include <functional>

namespace tallyrun {

using TInformationDisplay = std::function<void(const QString& text, const QString& caption)>;

// Replaces how information boxes are shown and returns the display in use before; an empty
// display restores the message box.
TInformationDisplay SetInformationDisplay(TInformationDisplay display);

// Shows `text` in an information box captioned `caption`.
void ShowInformationBox(const QString& text, const QString& caption);

} // namespace tallyrun
