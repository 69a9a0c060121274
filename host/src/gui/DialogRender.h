// Drawing a laid-out dialog window, with its sub-dialogs and custom GUIs, onto a canvas.
#ifndef HOST_DIALOGRENDER_H
#define HOST_DIALOGRENDER_H

#include "gui/DialogWindow.h"
#include "raster/RasterCanvas.h"

namespace standin {

// Draws the top-level window (after LayoutWindow) onto a canvas of its size.
void RenderWindow(DialogWindow& window, RasterCanvas& canvas);

}  // namespace standin

#endif
