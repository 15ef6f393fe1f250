// The toolkit's two message boxes: the error box that the handler boundary shows (error icon,
// captioned with the application's name) and the information box (information icon, one "OK"
// button). How each is shown can be replaced, so tests record the messages instead of blocking
// on a modal box.
#pragma once

#include <QString>

#include <functional>

namespace tallyrun {

using TErrorDisplay = std::function<void(const QString& message)>;
using TInformationDisplay = std::function<void(const QString& text, const QString& caption)>;

// Replaces how handler errors are shown and returns the display in use before; an empty
// display restores the standard error box.
TErrorDisplay SetHandlerErrorDisplay(TErrorDisplay display);

// Shows `message` through the current error display. A display that fails itself is not
// reported: this is where errors end up.
void ShowHandlerError(const QString& message);

// Replaces how information boxes are shown and returns the display in use before; an empty
// display restores the message box.
TInformationDisplay SetInformationDisplay(TInformationDisplay display);

// Shows `text` in an information box captioned `caption`.
void ShowInformationBox(const QString& text, const QString& caption);

} // namespace tallyrun
