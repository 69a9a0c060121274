// Gathering of the animation tracks the plug-in works on. Only value and data tracks (category
// 1 or 2) are gathered. The order is part of the data model: the curve list gathers the user's
// document and its working copy with the same function and pairs the results by position.
#ifndef CTRACKLIST_H
#define CTRACKLIST_H

#include "c4d.h"

// All gathered tracks of doc: objects depth-first in pre-order (an object's own tracks, its
// tags' tracks, then its subtree, then its next sibling), then the materials' tracks. A new
// array that the caller deletes; null for a null document or a failed allocation.
GeDynamicArray<CTrack*>* PickCTracksFromTimeline(BaseDocument* doc);

// The own tracks of the selected objects and tags (in selection order), then of the selected
// materials; an object does not bring its tags' or children's tracks. A new array that the
// caller deletes; null for a null document, a failed allocation, or a document without a layer
// root (which also prints "no list" on the console).
GeDynamicArray<CTrack*>* PickSelectedCTracksFromTimeline(BaseDocument* doc);

#endif
