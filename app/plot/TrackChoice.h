// Which tracks get a plot: all value and data tracks, those the user names, and of these the
// ones whose curves moved most for their tolerance.
#ifndef THINFOLD_TRACK_CHOICE_H
#define THINFOLD_TRACK_CHOICE_H

#include <optional>
#include <string>
#include <vector>

#include "TrackPairs.h"

struct TrackChoice {
  std::vector<size_t> indices;  // into the pairs, in document order, each once
  std::string error;            // empty on success
};

// The value and data tracks among pairs.
std::vector<size_t> PlottableTracks(const std::vector<TrackPair>& pairs);

// The tracks named in names, each its full path "ELEMENT.TRACK" (the first such track in
// document order), a short name "Object.Track" (TrackNames.h) or a plain track name that
// exactly one track has. An error names the first name that matches no track, that several
// tracks share, or whose track is neither a value nor a data track; source names the file the
// names were looked for in.
TrackChoice FindNamedTracks(const std::vector<TrackPair>& pairs,
                            const std::vector<std::string>& names, const std::string& source);

// Deviation relative to precision: how many tolerances the curve moved. A deviation that
// cannot be measured (data that differ in kind) and any deviation at zero precision rank
// above every number.
double DeviationRatio(std::optional<double> deviation, double precision);

// The count candidates with the largest ratios (ratios[i] belongs to candidates[i]), largest
// first; equal ratios keep the candidates' order.
std::vector<size_t> WorstTracks(const std::vector<size_t>& candidates,
                                const std::vector<double>& ratios, size_t count);

#endif
