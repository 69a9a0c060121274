// Layout of a dialog's window: every gadget's smallest size from its kind, text and initial
// size, then the gadgets placed in their groups' grids. Columns (rows) holding a gadget with
// BFH_SCALE (BFV_SCALE) share the space beyond the smallest size; inside its cell a gadget
// fits (BFH_FIT, BFV_FIT) or keeps its smallest size, aligned by its flags.
#ifndef HOST_DIALOGLAYOUT_H
#define HOST_DIALOGLAYOUT_H

#include "gui/DialogWindow.h"
#include "c4d_types.h"

namespace standin {

// The side of a check box's square, in dialogs and in tree views.
constexpr LONG kCheckBoxSize = 12;
// Between a dialog check box's square and its text.
constexpr LONG kCheckBoxGap = 4;

// Height of the title bar that a rendered window shows above its gadgets.
LONG TitleBarHeight();

// Lays out the top-level window of window (and the sub-dialogs shown in it): sets every
// gadget's rectangle and the window's width and height.
void LayoutWindow(DialogWindow& window);

}  // namespace standin

#endif
