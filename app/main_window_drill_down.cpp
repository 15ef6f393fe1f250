// Drilling down from the chart: a double-click on a subfolder's slice selects that subfolder
// in the folder pane, which reports the selection and so starts its analysis as any selection
// does. The "root" slice and the space around the pie lead nowhere. This gesture is our own
// addition to the chart's mouse (click to focus, wheel to zoom, drag to move); none of those
// changes for it, which is why a double-click counts only when neither press moved.
#include "app/main_window.h"

#include "app/slice_folders.h"
#include "shelltree/selected_folder.h"

namespace tallyrun {

void TfrmMain::Chart1DblClick(Qt::MouseButton button, int x, int y)
{
    if (button == Qt::LeftButton)
        chartDoubleClick_.DoubleClick({x, y});
}

void TfrmMain::DrillDownAt(TChartPoint point)
{
    // The slice drawn under the point at the last paint; the pie orders its points there,
    // and the folder numbers moved with them.
    const std::string* folder = sliceFolders_->Folder(Series1->SliceAtPoint(point.x, point.y));
    if (folder == nullptr)
        return;
    // Copied: selecting starts a run, which forgets the slices' folders.
    const std::string path = *folder;
    (void)folder_.SelectFolder(path);
}

} // namespace tallyrun
