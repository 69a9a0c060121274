// The text of BVH motion capture files: a joint hierarchy with channels, then one line of
// channel values per frame.
#ifndef THINFOLD_BVH_PARSER_H
#define THINFOLD_BVH_PARSER_H

#include <array>
#include <string>
#include <vector>

#include "c4d_types.h"

struct BvhChannel {
  std::string name;         // as in the file, e.g. "Xposition", "Zrotation"
  bool isRotation = false;  // rotations are in degrees, positions in distance units
};

using BvhOffset = std::array<double, 3>;

struct BvhJoint {
  std::string name;
  int parent = -1;  // index of the parent joint, -1 for a root
  std::vector<BvhChannel> channels;
  BvhOffset offset{};
  bool hasEndSite = false;
  BvhOffset endSite{};  // when hasEndSite
};

struct BvhMotion {
  // Parents come before their children, in file order.
  std::vector<BvhJoint> joints;
  LONG frameCount = 0;
  double frameTime = 0.0;  // seconds, above 0
  LONG frameTimeLine = 0;
  // frameCount rows of all channels in joint order, as the file gives them.
  std::vector<double> values;
};

struct BvhParseResult {
  BvhMotion motion;
  std::string error;  // "line N: what was wrong"; empty on success
};

BvhParseResult ParseBvh(const std::string& text);

#endif
