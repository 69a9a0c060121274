// Drawing a user area's record onto a canvas.
#ifndef HOST_RASTERREPLAY_H
#define HOST_RASTERREPLAY_H

#include <vector>

#include "raster/RasterCanvas.h"
#include "c4d_userarea.h"

namespace standin {

// Replays every drawing call of calls in order (state calls change nothing by themselves:
// each call carries its state).
void ReplayDrawCalls(const std::vector<DrawCall>& calls, RasterCanvas& canvas);

}  // namespace standin

#endif
