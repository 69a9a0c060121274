// Drawing a curve plot on the host's raster picture: the grid and axes, the tolerance band,
// both curves and their keys, a title and a legend.
#ifndef THINFOLD_PLOT_PAINTER_H
#define THINFOLD_PLOT_PAINTER_H

#include "CurvePlot.h"
#include "PlotLayout.h"
#include "c4d_standin_raster.h"

// Draws plot into picture, which is PlotLayout::kWidth x kHeight.
void PaintCurvePlot(const CurvePlot& plot, standin::RasterPicture& picture);

// Parts of PaintCurvePlot: the grid with its tick labels and axis names, and the title and
// legend above the plot area.
void PaintAxes(const CurvePlot& plot, const PlotLayout& layout, standin::RasterPicture& picture);
void PaintHeading(const CurvePlot& plot, const PlotLayout& layout, standin::RasterPicture& picture);

#endif
