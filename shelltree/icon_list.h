// The process-wide icon list: fixed indexes for the namespace's kinds of items, each giving a
// QIcon from the desktop's icon theme (with the style's icon where the theme has none). The
// indexes need no GUI; the icons need a QGuiApplication.
#pragma once

#include <QIcon>

namespace tallyrun {

enum TShIconIndex
{
    iiFolder,
    iiFolderOpen,
    iiFile,
    iiDriveHarddisk,
    iiDriveOptical,
    iiDriveRemovable,
    iiComputer,
    iiTrash,
    iiNetwork,
    iiHome,
    iiDesktop,
    iiSymlink,
    iiCount,
};

class TShIconList
{
public:
    int Count() const { return iiCount; }
    // The icon at the index; a null icon outside the list or without a GUI application.
    QIcon Icon(int index) const;
};

// The one icon list of the process, as the system's image list is on other desktops.
const TShIconList& SystemIconList();

} // namespace tallyrun
