// Building a document from parsed BVH motion.
#include "BvhReader.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <exception>
#include <limits>
#include <new>
#include <system_error>
#include <vector>

#include "BvhParser.h"
#include "BvhSkeleton.h"
#include "PrintableText.h"
#include "SceneNames.h"
#include "Status.h"
#include "TextFile.h"

namespace {

// Frame Time is written with few digits (0.0083333 for 120 fps).
constexpr double kRateTolerance = 0.005;

struct FpsResult {
  LONG fps = 0;
  std::string error;  // empty on success
};

FpsResult FpsFromFrameTime(const BvhMotion& motion) {
  constexpr LONG kMaxFps = std::numeric_limits<LONG>::max();
  const double rate = 1.0 / motion.frameTime;
  const double nearest = std::round(rate);
  const bool tooFast = nearest > kMaxFps;
  const bool tooSlow = nearest < 1.0;
  if (!tooFast && !tooSlow && std::fabs(rate - nearest) <= kRateTolerance * nearest)
    return {static_cast<LONG>(nearest), ""};
  const std::string why = tooFast   ? "more than the largest rate of " + std::to_string(kMaxFps)
                          : tooSlow ? "below 1"
                                    : "which is not within 0.5 % of a whole rate";
  char text[100];
  std::snprintf(text, sizeof text, "line %d: Frame Time %g gives %.4g frames per second, ",
                static_cast<int>(motion.frameTimeLine), motion.frameTime, rate);
  return {0, text + why + " (set the rate with --fps)"};
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
  LONG firstFrame;  // the capture's frame that becomes frame 0
  LONG frameCount;  // kept
};

std::string FrameRangeText(const FrameRange& range) {
  return (range.first ? std::to_string(*range.first) : "") + ":" +
         (range.last ? std::to_string(*range.last) : "");
}

// The frames of the range within the capture's; an error when it reaches beyond them.
Status KeepFrames(const FrameRange& range, LONG frameCount, TrackSource& source) {
  if (!range.first && !range.last) return {};
  const LONG first = range.first.value_or(0);
  const LONG last = range.last.value_or(frameCount - 1);
  if (first < frameCount && last < frameCount) {
    source.firstFrame = first;
    source.frameCount = last - first + 1;
    return {};
  }
  return {"--frames " + FrameRangeText(range) + ": the capture has " +
          (frameCount == 0
               ? std::string("no frames")
               : std::to_string(frameCount) + " frames, 0 to " + std::to_string(frameCount - 1))};
}

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
  for (LONG frame = 0; frame < source.frameCount; ++frame) {
    CKey* key = CKey::Alloc();
    if (!key) return false;
    const std::size_t row = static_cast<std::size_t>(source.firstFrame) + frame;
    double value = source.motion.values[row * source.channelCount + column];
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

bool BuildDocument(const TrackSource& source, BaseDocument& doc) {
  const BvhMotion& motion = source.motion;
  doc.SetFps(source.fps);
  std::vector<BaseObject*> objects;
  std::vector<BaseObject*> lastChild(motion.joints.size() + 1, nullptr);  // last slot: roots
  std::size_t column = 0;
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

FrameRangeResult ParseFrameRange(const std::string& text) {
  const std::size_t colon = text.find(':');
  FrameRange range;
  auto side = [&text](std::size_t from, std::size_t to, std::optional<LONG>& frame) {
    if (from == to) return true;
    LONG value = 0;
    const auto [end, failure] = std::from_chars(text.data() + from, text.data() + to, value);
    if (failure != std::errc() || end != text.data() + to || value < 0) return false;
    frame = value;
    return true;
  };
  if (colon == std::string::npos || !side(0, colon, range.first) ||
      !side(colon + 1, text.size(), range.last))
    return {{}, "expected FIRST:LAST, whole frame numbers from 0, either side empty"};
  if (range.first && range.last && *range.first > *range.last)
    return {{}, "expected FIRST at most LAST"};
  return {range, ""};
}

SceneReadResult ReadBvhText(const std::string& text, const BvhImport& import) {
  try {
    if (import.fps < 0) return {nullptr, "the frame rate must be above 0"};
    const BvhParseResult parsed = ParseBvh(text);
    if (!parsed.error.empty()) return {nullptr, parsed.error};
    const BvhMotion& motion = parsed.motion;
    const FpsResult rate = import.fps == 0 ? FpsFromFrameTime(motion) : FpsResult{import.fps, ""};
    if (!rate.error.empty()) return {nullptr, rate.error};
    TrackSource source{motion, 0, rate.fps, !import.rawAngles, 0, motion.frameCount};
    for (const BvhJoint& joint : motion.joints) source.channelCount += joint.channels.size();
    const Status kept = KeepFrames(import.frames, motion.frameCount, source);
    if (!kept.Ok()) return {nullptr, kept.error, true};
    DocumentPtr doc(BaseDocument::Alloc());
    if (!doc || !BuildDocument(source, *doc)) return {nullptr, "out of memory"};
    return {std::move(doc), ""};
  } catch (const std::bad_alloc&) {
    return {nullptr, "out of memory"};
  } catch (const std::exception& error) {
    return {nullptr, std::string("cannot read the motion: ") + error.what()};
  }
}

SceneReadResult ReadBvhFile(const std::string& path, const BvhImport& import) {
  const TextReadResult file = ReadTextFile(path);
  if (!file.error.empty()) return {nullptr, file.error};
  SceneReadResult result = ReadBvhText(file.text, import);
  if (!result.document) result.error = Printable(path) + ": " + result.error;
  return result;
}
