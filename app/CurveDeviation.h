// How far a track's curve moved: the host program's own measure of a reduction, made with the
// host's curve evaluation and nothing of the plug-in. Both curves are evaluated at every tenth
// of a frame from the earliest key of either curve to the latest, and at those two ends. The
// reduction itself checks its tolerance only at the points it samples (every half frame), so
// between them this figure may exceed the precision.
#ifndef THINFOLD_CURVE_DEVIATION_H
#define THINFOLD_CURVE_DEVIATION_H

#include <optional>

#include "c4d.h"

// The largest |before - after| of two value curves, divided by unitStep (so counted in the
// track's unit steps, like the precision). 0 when both curves have no keys.
double MaxValueDeviation(const CCurve& before, const CCurve& after, LONG fps, Real unitStep);

// The largest difference between the data two data curves hold at the same times (a key's data
// holds until the next key). Numbers (and truth values) differ by their distance; other data
// (texts, file names, vectors, ...) that differ anywhere cannot be measured: no value then.
std::optional<double> MaxDataDeviation(const CCurve& before, const CCurve& after, LONG fps);

// By the track's category: a value track in its unit steps (CTrack::GetUnit), a data track as
// MaxDataDeviation. A track without a curve counts as one without keys; when only the other
// track has keys, there is nothing to compare them with: no value.
std::optional<double> MaxTrackDeviation(CTrack& before, CTrack& after, LONG fps);

#endif
