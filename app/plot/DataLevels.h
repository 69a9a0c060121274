// The plot of a data track: each curve as steps, for a key's data holds until the next key
// (and before the first key, the first key's data). Numbers are drawn as numbers; data of other
// kinds (texts, file names, ...) as levels, one per distinct value.
#ifndef THINFOLD_DATA_LEVELS_H
#define THINFOLD_DATA_LEVELS_H

#include "CurvePlot.h"

// Fills plot's curves, keys, level names and unit for the data curves before and after (null
// for a track without a curve), from the earliest key of either to the latest.
void AddDataSteps(const CCurve* before, const CCurve* after, LONG fps, CurvePlot& plot);

#endif
