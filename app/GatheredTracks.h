// The tracks that the plug-in's gather buttons take, listed by the host program on its own, so
// that the lines of the dialog's tree can be matched to the tracks of a document (and of a copy
// of it) without asking the plug-in.
#ifndef THINFOLD_GATHERED_TRACKS_H
#define THINFOLD_GATHERED_TRACKS_H

#include <string>
#include <vector>

#include "c4d.h"

struct GatheredTrack {
  CTrack* track;
  // As the tree shows it: "Object.Track", or "Object.Tag.Track" for a tag's track.
  std::string name;
};

// Value and data tracks (categories 1 and 2) in the order the dialog lists them. All tracks:
// each object's own tracks, its tags' tracks, then its children, then its next sibling; then
// the materials' tracks. selectedOnly: the own tracks of the selected objects and tags in
// selection order, then those of the selected materials.
std::vector<GatheredTrack> ListGatheredTracks(const BaseDocument& doc, bool selectedOnly);

// Whether the document selects any object, tag or material (tracks or not).
bool SelectsAnything(const BaseDocument& doc);

#endif
