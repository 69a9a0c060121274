// Choosing the tracks to plot.
#include "TrackChoice.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

#include "PrintableText.h"

namespace {

// Full path first, then the short name, then the plain track name.
std::vector<size_t> TracksNamed(const std::vector<TrackPair>& pairs, const std::string& name) {
  for (size_t i = 0; i < pairs.size(); ++i)
    if (pairs[i].FullName() == name) return {i};
  for (const auto& nameOf : {+[](const TrackPair& pair) { return pair.shortName; },
                             +[](const TrackPair& pair) { return pair.track; }}) {
    std::vector<size_t> matches;
    for (size_t i = 0; i < pairs.size(); ++i)
      if (nameOf(pairs[i]) == name) matches.push_back(i);
    if (!matches.empty()) return matches;
  }
  return {};
}

std::string NameError(const std::vector<TrackPair>& pairs, const std::string& name,
                      const std::vector<size_t>& matches, const std::string& source) {
  if (matches.empty())
    return "no track '" + Printable(name) + "' in " + source +
           " (name a track as `thinfold info` lists it, by its full path ELEMENT.TRACK, or by a "
           "track name that only one track has)";
  if (matches.size() > 1)
    return "track name '" + Printable(name) + "' is shared by " + std::to_string(matches.size()) +
           " tracks in " + source + "; name one as ELEMENT.TRACK, such as '" +
           Printable(pairs[matches.front()].FullName()) + "'";
  return "track '" + Printable(pairs[matches.front()].name) + "' in " + source +
         " is neither a value nor a data track";
}

}  // namespace

std::vector<size_t> PlottableTracks(const std::vector<TrackPair>& pairs) {
  std::vector<size_t> indices;
  for (size_t i = 0; i < pairs.size(); ++i)
    if (pairs[i].IsPlottable()) indices.push_back(i);
  return indices;
}

TrackChoice FindNamedTracks(const std::vector<TrackPair>& pairs,
                            const std::vector<std::string>& names, const std::string& source) {
  TrackChoice choice;
  for (const std::string& name : names) {
    const std::vector<size_t> matches = TracksNamed(pairs, name);
    if (matches.size() != 1 || !pairs[matches.front()].IsPlottable())
      return {{}, NameError(pairs, name, matches, source)};
    choice.indices.push_back(matches.front());
  }
  std::sort(choice.indices.begin(), choice.indices.end());
  choice.indices.erase(std::unique(choice.indices.begin(), choice.indices.end()),
                       choice.indices.end());
  return choice;
}

double DeviationRatio(std::optional<double> deviation, double precision) {
  constexpr double kBeyondMeasure = std::numeric_limits<double>::infinity();
  if (!deviation || std::isnan(*deviation)) return kBeyondMeasure;
  if (precision > 0.0) return *deviation / precision;
  return *deviation > 0.0 ? kBeyondMeasure : 0.0;
}

std::vector<size_t> WorstTracks(const std::vector<size_t>& candidates,
                                const std::vector<double>& ratios, size_t count) {
  std::vector<size_t> order(candidates.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&ratios](size_t a, size_t b) { return ratios[a] > ratios[b]; });
  order.resize(std::min(count, order.size()));
  std::vector<size_t> worst;
  for (size_t position : order) worst.push_back(candidates[position]);
  return worst;
}
