// The skeleton of a BVH joint: what its object keeps besides the motion, so that the motion can
// be written as BVH again (hierarchy as read: offset, channels in file order, End Site).
#ifndef THINFOLD_BVH_SKELETON_H
#define THINFOLD_BVH_SKELETON_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "c4d.h"

struct JointSkeleton {
  Vector offset;
  std::vector<std::string> channels;  // in file order, spelled as the file spells them
  std::optional<Vector> endSite;

  bool operator==(const JointSkeleton& other) const = default;
};

// BVH rotations are in degrees; rotation tracks hold radians.
constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;

// Whether name (any letter case) is a rotation channel; none when it is no BVH channel name.
std::optional<bool> BvhChannelIsRotation(std::string_view name);
// The most channels a joint has: three positions and three rotations.
constexpr std::size_t kMaxBvhChannels = 6;

// The skeleton the object carries, or none (an object that did not come from BVH).
std::optional<JointSkeleton> GetJointSkeleton(const BaseObject& object);
void SetJointSkeleton(BaseObject& object, const JointSkeleton& skeleton);

#endif
