// The one name of each track, which the result table, the report, `info`, `plot` and the plot
// files all use: the short name as the plug-in's tree shows it ("Object.Track", "Object.Tag.Track"
// for a tag's track, "Material.Track" for a material's) where no other track of the document has
// the same short name, else the full path ("Parent/Object.Track", "Object:Tag.Track",
// "@Material.Track": the element's path, see ScenePaths.h, a dot and the track's name).
#ifndef THINFOLD_TRACK_NAMES_H
#define THINFOLD_TRACK_NAMES_H

#include <string>
#include <unordered_map>
#include <vector>

#include "c4d.h"

// The short name of a track, as the plug-in's tree shows it.
std::string ShortTrackName(const CTrack& track);

class TrackNames {
 public:
  explicit TrackNames(const BaseDocument& doc);

  // The track's one name; empty for a track that is not in the document.
  std::string NameOf(const CTrack& track) const;
  std::string FullPathOf(const CTrack& track) const;
  // The tracks a name stands for, in document order: the track whose full path it is (the first,
  // as paths name the first element that has them), else every track with that short name.
  std::vector<const CTrack*> Find(const std::string& name) const;

 private:
  struct Names {
    std::string shortName;
    std::string fullPath;
  };
  std::vector<const CTrack*> _tracks;  // in document order
  std::unordered_map<const CTrack*, Names> _names;
  std::unordered_map<std::string, int> _shortNameCounts;
};

#endif
