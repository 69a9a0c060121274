// The tracks of a document before and after a reduction, matched one to one: by their place in
// document order (elements in order, each element's tracks in order), checked by element path,
// track name and category, so that a plot never compares two different tracks.
#ifndef THINFOLD_TRACK_PAIRS_H
#define THINFOLD_TRACK_PAIRS_H

#include <string>
#include <vector>

#include "c4d.h"

struct TrackPair {
  std::string element;  // the element's path (ScenePaths.h)
  std::string track;    // the track's name
  CTrack* before = nullptr;
  CTrack* after = nullptr;
  std::string name;       // the track's one name (TrackNames.h): titles and file names use it
  std::string shortName;  // as the plug-in's tree shows it

  // "ELEMENT.TRACK", the full path.
  std::string FullName() const { return element + "." + track; }
  bool IsPlottable() const;  // a value or a data track
};

struct TrackPairing {
  std::vector<TrackPair> pairs;  // every track, in document order
  std::string error;             // empty when the documents match
};

// Pairs the tracks of before (read from beforeName) and after (from afterName). When the frame
// rates, the track counts or a track's path, name or category differ, there are no pairs and
// the error names both files and the first difference.
TrackPairing PairTracks(const BaseDocument& before, const std::string& beforeName,
                        const BaseDocument& after, const std::string& afterName);

#endif
