// Building a document from parsed BVH motion.
#include "BvhReader.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <new>
#include <vector>

#include "BvhParser.h"
#include "PrintableText.h"
#include "SceneNames.h"
#include "TextFile.h"

namespace {

constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
// Frame Time is written with few digits (0.0083333 for 120 fps).
constexpr double kRateTolerance = 0.005;

bool FpsFromFrameTime(const BvhMotion& motion, LONG& fps, std::string& error) {
  constexpr LONG kMaxFps = std::numeric_limits<LONG>::max();
  const double rate = 1.0 / motion.frameTime;
  const double nearest = std::round(rate);
  const bool tooFast = nearest > kMaxFps;
  const bool tooSlow = nearest < 1.0;
  if (!tooFast && !tooSlow && std::fabs(rate - nearest) <= kRateTolerance * nearest) {
    fps = static_cast<LONG>(nearest);
    return true;
  }
  const std::string why = tooFast   ? "more than the largest rate of " + std::to_string(kMaxFps)
                          : tooSlow ? "below 1"
                                    : "which is not within 0.5 % of a whole rate";
  char text[100];
  std::snprintf(text, sizeof text, "line %d: Frame Time %g gives %.4g frames per second, ",
                static_cast<int>(motion.frameTimeLine), motion.frameTime, rate);
  error = text + why + " (set the rate with --fps)";
  return false;
}

// column is the channel's place among the channelCount values of each frame.
bool AddChannelTrack(const BvhMotion& motion, const BvhChannel& channel, LONG trackIndex,
                     std::size_t column, std::size_t channelCount, LONG fps, BaseObject& object) {
  CTrack* track = CTrack::Alloc(&object, DescID(kFirstTrackId + trackIndex));
  if (!track) return false;
  object.InsertTrackSorted(track);
  track->SetName(String(channel.name));
  track->SetTrackCategory(CTRACK_CATEGORY_VALUE);
  track->SetUnit(channel.isRotation ? DESC_UNIT_DEGREE : DESC_UNIT_METER);
  CCurve* curve = track->GetCurve(CC_CURVE_CURVE, TRUE);
  if (!curve) return false;
  const double scale = channel.isRotation ? kRadiansPerDegree : 1.0;
  for (LONG frame = 0; frame < motion.frameCount; ++frame) {
    CKey* key = CKey::Alloc();
    if (!key) return false;
    key->SetTime(nullptr, BaseTime(frame, fps));
    key->SetValue(nullptr,
                  motion.values[static_cast<std::size_t>(frame) * channelCount + column] * scale);
    key->SetInterpolation(nullptr, CINTERPOLATION_LINEAR);
    if (!curve->InsertKey(key)) {
      CKey::Free(key);
      return false;
    }
  }
  return true;
}

bool BuildDocument(const BvhMotion& motion, LONG fps, BaseDocument& doc) {
  doc.SetFps(fps);
  std::vector<BaseObject*> objects;
  std::vector<BaseObject*> lastChild(motion.joints.size() + 1, nullptr);  // last slot: roots
  std::size_t channelCount = 0, column = 0;
  for (const BvhJoint& joint : motion.joints) channelCount += joint.channels.size();
  for (const BvhJoint& joint : motion.joints) {
    BaseObject* object = BaseObject::Alloc();
    if (!object) return false;
    BaseObject* parent = joint.parent >= 0 ? objects[joint.parent] : nullptr;
    BaseObject*& pred = lastChild[joint.parent >= 0 ? joint.parent : motion.joints.size()];
    doc.InsertObject(object, parent, pred);
    pred = object;
    objects.push_back(object);
    object->SetName(String(joint.name));
    for (std::size_t i = 0; i < joint.channels.size(); ++i, ++column)
      if (!AddChannelTrack(motion, joint.channels[i], static_cast<LONG>(i), column, channelCount,
                           fps, *object))
        return false;
  }
  return true;
}

}  // namespace

SceneReadResult ReadBvhText(const std::string& text, LONG fpsOverride) {
  try {
    BvhMotion motion;
    std::string error;
    LONG fps = fpsOverride;
    if (fpsOverride < 0) return {nullptr, "the frame rate must be above 0"};
    if (!ParseBvh(text, motion, error) || (fps == 0 && !FpsFromFrameTime(motion, fps, error)))
      return {nullptr, error};
    DocumentPtr doc(BaseDocument::Alloc());
    if (!doc || !BuildDocument(motion, fps, *doc)) return {nullptr, "out of memory"};
    return {std::move(doc), ""};
  } catch (const std::bad_alloc&) {
    return {nullptr, "out of memory"};
  } catch (const std::exception& error) {
    return {nullptr, std::string("cannot read the motion: ") + error.what()};
  }
}

SceneReadResult ReadBvhFile(const std::string& path, LONG fpsOverride) {
  std::string text, error;
  if (!ReadTextFile(path, text, error)) return {nullptr, error};
  SceneReadResult result = ReadBvhText(text, fpsOverride);
  if (!result.document) result.error = Printable(path) + ": " + result.error;
  return result;
}
