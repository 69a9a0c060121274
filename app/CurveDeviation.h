// How far a track's curve moved: the host program's own measure of a reduction, made with the
// host's curve evaluation and nothing of the plug-in. Both curves are evaluated at every key
// time of either curve and at every tenth of a frame from the earliest key of either curve to
// the latest: the points where the reduction keeps each curve within its precision. The
// measure streams over these points, so its memory does not grow with the curves' length; when
// they span more than kMaxMeasuredSteps tenths of a frame, it checks only the key times and the
// tenths of a frame around each key and each turn of a spline segment (MeasuresEveryStep).
#ifndef THINFOLD_CURVE_DEVIATION_H
#define THINFOLD_CURVE_DEVIATION_H

#include <optional>

#include "c4d.h"

// The most tenth-of-frame steps one track is measured at: a million frames.
constexpr LLONG kMaxMeasuredSteps = 10000000;

// The largest |before - after| of two value curves, divided by unitStep (so counted in the
// track's unit steps, like the precision). 0 when both curves have no keys; NaN when a curve
// is not finite at a point measured.
double MaxValueDeviation(const CCurve& before, const CCurve& after, LONG fps, Real unitStep);

// The largest difference between the data two data curves hold at the same times (a key's data
// holds until the next key). Numbers (and truth values) differ by their distance; other data
// (texts, file names, vectors, ...) that differ anywhere cannot be measured: no value then.
std::optional<double> MaxDataDeviation(const CCurve& before, const CCurve& after, LONG fps);

// By the track's category: a value track in its unit steps (CTrack::GetUnit), a data track as
// MaxDataDeviation. A track without a curve counts as one without keys; when only the other
// track has keys, there is nothing to compare them with: no value.
std::optional<double> MaxTrackDeviation(CTrack& before, CTrack& after, LONG fps);

// FALSE when the tracks' curves span more than kMaxMeasuredSteps tenths of a frame, so that the
// measures above check them only at and around their keys and turns.
bool MeasuresEveryStep(CTrack& before, CTrack& after, LONG fps);

#endif
