// What the program's windows share: a fixed-size dialog window with a close box,
// centred on the screen, in the user interface's gothic font.
#pragma once

#include <QFont>
#include <QSize>

class QWidget;
class QLabel;

namespace tallyrun {

// Makes `dialog` a dialog window with the caption `title`, a fixed client size and only the
// close box, centred on the primary screen.
void SetUpDialogWindow(QWidget& dialog, const QString& title, QSize clientSize);

// Moves a window so that it is centred on the primary screen's available area.
void CentreOnScreen(QWidget& window);

// Marks `dialog` as transient for `owner` without making it `owner`'s child, so the window
// manager keeps it above `owner` while disabling `owner` leaves the dialog usable.
void MakeTransientFor(QWidget& dialog, QWidget& owner);

// "ＭＳ Ｐゴシック" `pixelSize` pixels high.
QFont GothicFont(int pixelSize, QFont::Weight weight = QFont::Normal);

// A plain-text label at `pos` sized to its text.
QLabel* MakeLabel(QWidget* parent, QPoint pos, const QString& text = {});

// Sets an auto-sized label's text and keeps its right edge at `right` (exclusive).
void SetRightAlignedText(QLabel& label, int right, const QString& text);

} // namespace tallyrun
