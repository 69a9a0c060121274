// The times at which a plot evaluates two curves: an even grid from the earliest key of either
// curve to the latest, plus every key time, so that corners at keys are drawn exactly.
#ifndef THINFOLD_PLOT_SAMPLES_H
#define THINFOLD_PLOT_SAMPLES_H

#include <vector>

#include "c4d.h"

// Sorted, without repeats; empty when neither curve has keys. The grid steps are whole
// fractions of a frame (or whole frames on long curves), about sampleCount of them. Null curves
// count as curves without keys.
std::vector<BaseTime> PlotSampleTimes(const CCurve* a, const CCurve* b, LONG fps, LONG sampleCount);

#endif
