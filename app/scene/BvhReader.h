// Reading BVH motion capture into new host documents: one object per joint (children nested)
// carrying its skeleton (BvhSkeleton.h), one value track per channel named after it (unit
// distance for positions, degree for rotations, stored in radians) and one linear key per frame.
// Rotations are unwrapped unless asked not to: each frame's angle moves by whole turns to lie
// within half a turn of the previous frame's, so that a flip between +180 and -180 degrees
// becomes a continuous curve with the same poses. Never throws.
#ifndef THINFOLD_BVH_READER_H
#define THINFOLD_BVH_READER_H

#include <optional>
#include <string>

#include "SceneDocument.h"

// Frames FIRST to LAST, both kept; a missing side is the capture's first or last frame.
struct FrameRange {
  std::optional<LONG> first;
  std::optional<LONG> last;
};

struct FrameRangeResult {
  FrameRange range;
  std::string error;  // empty on success
};

// "FIRST:LAST" with whole frame numbers, either side empty; an error naming what was expected
// for other text or FIRST after LAST.
FrameRangeResult ParseFrameRange(const std::string& text);

struct BvhImport {
  // 0 takes the frame rate from Frame Time, which must lie within 0.5 % of a whole rate; above
  // 0 it sets the rate.
  LONG fps = 0;
  bool rawAngles = false;  // keep the rotations as the file has them
  // Only these frames are kept, renumbered from 0; a range beyond the capture is an error
  // (badOption).
  FrameRange frames{};
};

// Errors name the line and what was wrong.
SceneReadResult ReadBvhText(const std::string& text, const BvhImport& import = {});
// The same for a file; the error starts with the file's path.
SceneReadResult ReadBvhFile(const std::string& path, const BvhImport& import = {});

#endif
