// Writing a document as BVH motion capture: the hierarchy of its joint objects as their
// skeletons (BvhSkeleton.h) give it, and one MOTION row per frame from the first to the last
// frame its channel tracks span, each channel's value read from its curve by the host's curve
// evaluation. Numbers are written with the fewest digits that read back as the same value, so
// that BVH read and written again gives the numbers it had. Never throws.
#ifndef THINFOLD_BVH_WRITER_H
#define THINFOLD_BVH_WRITER_H

#include <string>

#include "SceneDocument.h"
#include "Status.h"

// Whether the document can be written as BVH, or why not, naming the first object at fault:
// every object must carry a skeleton, have a one-word name and a track for each channel.
Status CheckWritableAsBvh(const BaseDocument& doc);

SceneWriteResult WriteBvhText(const BaseDocument& doc);

#endif
