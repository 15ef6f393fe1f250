// The ten 16 x 16 pictures of the main window's tool bar, drawn by the program itself.
#pragma once

#include <QImage>

namespace tallyrun {

class TTBImageList;

// The pictures by number: 0 end, 1 3D view, 2 pie chart, 3 save, 4 stop, 5 percentages,
// 6 sizes, 7 version information, 8 folder, 9 legend.
enum TMainToolbarImage
{
    tiEnd,
    tiView3D,
    tiPie,
    tiSave,
    tiStop,
    tiPercent,
    tiSize,
    tiVersion,
    tiFolder,
    tiLegend,
    tiImageCount
};

// One picture, 16 x 16 pixels with a transparent background.
QImage DrawToolbarImage(TMainToolbarImage image);

// Appends the ten pictures to `list` in their numbered order.
void AddMainToolbarImages(TTBImageList& list);

} // namespace tallyrun
