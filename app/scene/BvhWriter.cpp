// Writing a document as BVH motion capture.
#include "BvhWriter.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <limits>
#include <optional>
#include <vector>

#include "BvhSkeleton.h"

namespace {

// A joint object with its skeleton and the curve of each channel, in channel order.
struct JointOut {
  const BaseObject* object = nullptr;
  JointSkeleton skeleton;
  std::vector<const CCurve*> curves;
  std::vector<bool> rotations;
  int depth = 0;
};

std::string Shortest(double value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

// The fewest digits whose value, read as BVH is read (degrees to radians), is radians again.
std::string DegreesText(double radians) {
  const double degrees = radians / kRadiansPerDegree;
  char text[32];
  for (int digits = 1; digits <= std::numeric_limits<double>::max_digits10; ++digits) {
    const auto end =
        std::to_chars(text, text + sizeof text, degrees, std::chars_format::general, digits).ptr;
    double back = 0.0;
    std::from_chars(text, end, back);
    if (back * kRadiansPerDegree == radians) return std::string(text, end);
  }
  return Shortest(degrees);
}

bool IsOneWord(const std::string& name) {
  return !name.empty() && name != "{" && name.find_first_of(" \t\r\n\f\v") == std::string::npos;
}

// The curve of the object's occurrence-th track named name, or null.
const CCurve* ChannelCurve(const BaseObject& object, const std::string& name, int occurrence) {
  for (CTrack* track = object.GetFirstCTrack(); track; track = track->GetNext())
    if (track->GetName().ToUtf8() == name && occurrence-- == 0)
      return track->GetCurve(CC_CURVE_CURVE, TRUE);
  return nullptr;
}

// Fills joint with the object's skeleton and curves; an error naming the object otherwise.
Status CollectJoint(const BaseObject& object, const std::string& path, JointOut& joint) {
  const std::optional<JointSkeleton> skeleton = GetJointSkeleton(object);
  if (!skeleton)
    return {path + ": not a BVH joint (the object has no skeleton: offset and channels)"};
  if (!IsOneWord(object.GetName().ToUtf8()))
    return {path + ": a BVH joint's name must be one word without spaces"};
  joint.object = &object;
  joint.skeleton = *skeleton;
  const std::vector<std::string>& channels = skeleton->channels;
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const int occurrence =
        static_cast<int>(std::count(channels.begin(), channels.begin() + i, channels[i]));
    const CCurve* curve = ChannelCurve(object, channels[i], occurrence);
    if (!curve) return {path + ": no track " + channels[i] + " for the joint's channel"};
    joint.curves.push_back(curve);
    joint.rotations.push_back(BvhChannelIsRotation(channels[i]).value_or(false));
  }
  return {};
}

Status CollectJoints(const BaseObject* first, const std::string& prefix, int depth,
                     std::vector<JointOut>& joints) {
  for (const BaseObject* object = first; object; object = object->GetNext()) {
    const std::string path = prefix + object->GetName().ToUtf8();
    JointOut joint;
    joint.depth = depth;
    const Status collected = CollectJoint(*object, path, joint);
    if (!collected.Ok()) return collected;
    joints.push_back(std::move(joint));
    const Status children = CollectJoints(object->GetDown(), path + "/", depth + 1, joints);
    if (!children.Ok()) return children;
  }
  return {};
}

std::string VectorText(const Vector& vector) {
  return Shortest(vector.x) + " " + Shortest(vector.y) + " " + Shortest(vector.z);
}

// The joint's block, with its children's blocks (the joints that follow it one level deeper).
std::size_t AppendJoint(const std::vector<JointOut>& joints, std::size_t index, std::string& out) {
  const JointOut& joint = joints[index];
  const std::string indent(static_cast<std::size_t>(joint.depth), '\t');
  out += indent + (joint.depth == 0 ? "ROOT " : "JOINT ") + joint.object->GetName().ToUtf8() +
         "\n" + indent + "{\n";
  out += indent + "\tOFFSET " + VectorText(joint.skeleton.offset) + "\n";
  out += indent + "\tCHANNELS " + std::to_string(joint.skeleton.channels.size());
  for (const std::string& channel : joint.skeleton.channels) out += " " + channel;
  out += "\n";
  std::size_t next = index + 1;
  while (next < joints.size() && joints[next].depth > joint.depth)
    next = AppendJoint(joints, next, out);
  if (joint.skeleton.endSite)
    out += indent + "\tEnd Site\n" + indent + "\t{\n" + indent + "\t\tOFFSET " +
           VectorText(*joint.skeleton.endSite) + "\n" + indent + "\t}\n";
  out += indent + "}\n";
  return next;
}

// Rows times channels, as many values as a BVH file may take: about as much text as the
// largest input the program reads.
constexpr long long kMaxValues = 1LL << 28;

struct FrameSpan {
  long long first = 0;
  long long count = 0;  // 0: no keys at all
};

// From the frame of the earliest key to the first frame at or after the latest key.
FrameSpan SpanOf(const std::vector<JointOut>& joints, LONG fps) {
  std::optional<BaseTime> earliest, latest;
  for (const JointOut& joint : joints)
    for (const CCurve* curve : joint.curves) {
      if (curve->GetKeyCount() == 0) continue;
      const BaseTime first = curve->GetKey(0)->GetTime();
      const BaseTime last = curve->GetKey(curve->GetKeyCount() - 1)->GetTime();
      if (!earliest || first < *earliest) earliest = first;
      if (!latest || last > *latest) latest = last;
    }
  if (!earliest) return {};
  const long long first = earliest->GetFrame(fps);
  long long last = latest->GetFrame(fps);
  if (BaseTime(last, fps) < *latest) ++last;
  return {first, last - first + 1};
}

std::size_t ChannelCount(const std::vector<JointOut>& joints) {
  std::size_t count = 0;
  for (const JointOut& joint : joints) count += joint.curves.size();
  return count;
}

// The joints in document order, each object a joint; an error naming the first object at fault.
Status CollectAll(const BaseDocument& doc, std::vector<JointOut>& joints) {
  const Status collected = CollectJoints(doc.GetFirstObject(), "", 0, joints);
  if (!collected.Ok()) return collected;
  if (joints.empty()) return {"no objects to write as BVH joints"};
  const long long rows = SpanOf(joints, doc.GetFps()).count;
  const long long channels = static_cast<long long>(ChannelCount(joints));
  if (channels > 0 && rows > kMaxValues / channels)
    return {std::to_string(rows) + " frames of " + std::to_string(channels) +
            " channels are more than a BVH file takes here (" + std::to_string(kMaxValues) +
            " values)"};
  return {};
}

void AppendMotion(const std::vector<JointOut>& joints, LONG fps, std::string& out) {
  const FrameSpan span = SpanOf(joints, fps);
  out += "MOTION\nFrames: " + std::to_string(span.count) + "\nFrame Time: " + Shortest(1.0 / fps) +
         "\n";
  for (long long row = 0; row < span.count; ++row) {
    const BaseTime time(span.first + row, fps);
    bool firstValue = true;
    for (const JointOut& joint : joints)
      for (std::size_t i = 0; i < joint.curves.size(); ++i) {
        const double value = joint.curves[i]->GetValue(time, fps);
        if (!firstValue) out += ' ';
        firstValue = false;
        out += joint.rotations[i] ? DegreesText(value) : Shortest(value);
      }
    out += '\n';
  }
}

}  // namespace

Status CheckWritableAsBvh(const BaseDocument& doc) {
  std::vector<JointOut> joints;
  return CollectAll(doc, joints);
}

SceneWriteResult WriteBvhText(const BaseDocument& doc) {
  try {
    std::vector<JointOut> joints;
    const Status collected = CollectAll(doc, joints);
    if (!collected.Ok()) return {"", collected.error};
    std::string text = "HIERARCHY\n";
    for (std::size_t index = 0; index < joints.size();) index = AppendJoint(joints, index, text);
    AppendMotion(joints, doc.GetFps(), text);
    return {std::move(text), ""};
  } catch (const std::exception& error) {
    return {"", std::string("cannot write the motion: ") + error.what()};
  }
}
