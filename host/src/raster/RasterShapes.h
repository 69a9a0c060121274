// Anti-aliased shapes on the raster canvas: wide lines, discs and polygons. Each shape gathers
// its coverage first and is blended once, in colour at opacity (0 to 1).
#ifndef HOST_RASTERSHAPES_H
#define HOST_RASTERSHAPES_H

#include <vector>

#include "raster/RasterCanvas.h"
#include "c4d_standin_raster.h"

namespace standin {

void StrokePolyline(RasterCanvas& canvas, const std::vector<RasterPoint>& points, double width,
                    Rgba colour, double opacity);
void FillDisc(RasterCanvas& canvas, RasterPoint centre, double radius, Rgba colour, double opacity);
void FillPolygon(RasterCanvas& canvas, const std::vector<RasterPoint>& outline, Rgba colour,
                 double opacity);

}  // namespace standin

#endif
