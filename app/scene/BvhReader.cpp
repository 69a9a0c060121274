// Building a document from parsed BVH motion.
#include "BvhReader.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <vector>

#include "BvhParser.h"
#include "BvhSkeleton.h"
#include "SceneNames.h"
#include "TextFile.h"

namespace {

// Frame Time is written with few digits (0.0083333 for 120 fps).
constexpr double kRateTolerance = 0.005;

bool FpsFromFrameTime(const BvhMotion& motion, LONG& fps, std::string& error) {
  const double rate = 1.0 / motion.frameTime;
  const double nearest = std::round(rate);
  if (nearest >= 1.0 && nearest <= std::numeric_limits<LONG>::max() &&
      std::fabs(rate - nearest) <= kRateTolerance * nearest) {
    fps = static_cast<LONG>(nearest);
    return true;
  }
  char text[160];
  std::snprintf(text, sizeof text,
                "line %d: Frame Time %g gives %.4g frames per second, which is not within 0.5 %% "
                "of a whole rate (set the rate with --fps)",
                static_cast<int>(motion.frameTimeLine), motion.frameTime, rate);
  error = text;
  return false;
}

// value moved by whole turns to lie within half a turn of previous; unchanged when it does, so
// that a capture without flips keeps every value bit for bit.
double Unwrapped(double degrees, double previous) {
  if (std::fabs(degrees - previous) <= 180.0) return degrees;
  return degrees + 360.0 * std::round((previous - degrees) / 360.0);
}

// Where a joint's channel tracks take their keys from.
struct TrackSource {
  const BvhMotion& motion;
  std::size_t channelCount;  // values in each frame
  LONG fps;
  bool unwrap;
};

// column is the channel's place among the values of each frame.
bool AddChannelTrack(const TrackSource& source, const BvhChannel& channel, LONG trackIndex,
                     std::size_t column, BaseObject& object) {
  CTrack* track = CTrack::Alloc(&object, DescID(kFirstTrackId + trackIndex));
  if (!track) return false;
  object.InsertTrackSorted(track);
  track->SetName(String(channel.name));
  track->SetTrackCategory(CTRACK_CATEGORY_VALUE);
  track->SetUnit(channel.isRotation ? DESC_UNIT_DEGREE : DESC_UNIT_METER);
  CCurve* curve = track->GetCurve(CC_CURVE_CURVE, TRUE);
  if (!curve) return false;
  const double scale = channel.isRotation ? kRadiansPerDegree : 1.0;
  const bool unwrap = channel.isRotation && source.unwrap;
  double previous = 0.0;
  for (LONG frame = 0; frame < source.motion.frameCount; ++frame) {
    CKey* key = CKey::Alloc();
    if (!key) return false;
    double value =
        source.motion.values[static_cast<std::size_t>(frame) * source.channelCount + column];
    if (unwrap && frame > 0) value = Unwrapped(value, previous);
    previous = value;
    key->SetTime(nullptr, BaseTime(frame, source.fps));
    key->SetValue(nullptr, value * scale);
    key->SetInterpolation(nullptr, CINTERPOLATION_LINEAR);
    if (!curve->InsertKey(key)) {
      CKey::Free(key);
      return false;
    }
  }
  return true;
}

Vector VectorOf(const BvhOffset& xyz) { return Vector(xyz[0], xyz[1], xyz[2]); }

JointSkeleton SkeletonOf(const BvhJoint& joint) {
  JointSkeleton skeleton;
  skeleton.offset = VectorOf(joint.offset);
  for (const BvhChannel& channel : joint.channels) skeleton.channels.push_back(channel.name);
  if (joint.hasEndSite) skeleton.endSite = VectorOf(joint.endSite);
  return skeleton;
}

bool BuildDocument(const BvhMotion& motion, LONG fps, const BvhImport& import, BaseDocument& doc) {
  doc.SetFps(fps);
  std::vector<BaseObject*> objects;
  std::vector<BaseObject*> lastChild(motion.joints.size() + 1, nullptr);  // last slot: roots
  TrackSource source{motion, 0, fps, !import.rawAngles};
  std::size_t column = 0;
  for (const BvhJoint& joint : motion.joints) source.channelCount += joint.channels.size();
  for (const BvhJoint& joint : motion.joints) {
    BaseObject* object = BaseObject::Alloc();
    if (!object) return false;
    BaseObject* parent = joint.parent >= 0 ? objects[joint.parent] : nullptr;
    BaseObject*& pred = lastChild[joint.parent >= 0 ? joint.parent : motion.joints.size()];
    doc.InsertObject(object, parent, pred);
    pred = object;
    objects.push_back(object);
    object->SetName(String(joint.name));
    SetJointSkeleton(*object, SkeletonOf(joint));
    for (std::size_t i = 0; i < joint.channels.size(); ++i, ++column)
      if (!AddChannelTrack(source, joint.channels[i], static_cast<LONG>(i), column, *object))
        return false;
  }
  return true;
}

}  // namespace

SceneReadResult ReadBvhText(const std::string& text, const BvhImport& import) {
  try {
    BvhMotion motion;
    std::string error;
    LONG fps = import.fps;
    if (import.fps < 0) return {nullptr, "the frame rate must be above 0"};
    if (!ParseBvh(text, motion, error) || (fps == 0 && !FpsFromFrameTime(motion, fps, error)))
      return {nullptr, error};
    DocumentPtr doc(BaseDocument::Alloc());
    if (!doc || !BuildDocument(motion, fps, import, *doc)) return {nullptr, "out of memory"};
    return {std::move(doc), ""};
  } catch (const std::exception& error) {
    return {nullptr, std::string("cannot read the motion: ") + error.what()};
  }
}

SceneReadResult ReadBvhFile(const std::string& path, const BvhImport& import) {
  std::string text, error;
  if (!ReadTextFile(path, text, error)) return {nullptr, error};
  SceneReadResult result = ReadBvhText(text, import);
  if (!result.document) result.error = path + ": " + result.error;
  return result;
}
