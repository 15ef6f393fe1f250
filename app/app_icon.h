// The program's icon: a tilted pie of three slices over a disk-grey base, drawn by the
// program itself at any size, for the windows, the about dialog and the icon theme.
#pragma once

#include <QIcon>
#include <QImage>

namespace tallyrun {

// The icon `size` x `size` pixels with a transparent background.
QImage DrawAppIcon(int size);

// The icon at the sizes the windows and the desktop ask for.
QIcon AppIcon();

} // namespace tallyrun
