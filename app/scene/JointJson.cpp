// The "joint" member of a scene file's object.
#include "JointJson.h"

#include "BvhSkeleton.h"

namespace {

bool ReadVector(const Json& value, const std::string& path, Vector& out, JsonFaults& faults) {
  double xyz[3];
  if (!ReadNumberArray(value, path, 3, xyz, faults)) return false;
  out = Vector(xyz[0], xyz[1], xyz[2]);
  return true;
}

bool ReadChannels(const JsonObject& joint, std::vector<std::string>& channels) {
  const Json* list = nullptr;
  if (!joint.Array("channels", list, Need::kRequired)) return false;
  const std::string path = joint.PathOf("channels");
  if (list->size() > kMaxBvhChannels)
    return joint.Faults().Fail(path, "expected at most " + std::to_string(kMaxBvhChannels) +
                                         " channels, found " + std::to_string(list->size()));
  for (std::size_t i = 0; i < list->size(); ++i) {
    std::string name;
    if (!ReadText((*list)[i], IndexPath(path, i), name, joint.Faults())) return false;
    if (!BvhChannelIsRotation(name))
      return joint.Faults().Fail(IndexPath(path, i),
                                 "expected a channel name (Xposition ... Zrotation)");
    channels.push_back(name);
  }
  return true;
}

Json VectorJson(const Vector& vector) { return Json::array({vector.x, vector.y, vector.z}); }

}  // namespace

bool ReadJointMember(const JsonObject& member, BaseObject& object) {
  const Json* value = member.Find("joint");
  if (!value) return true;
  const JsonObject joint(*value, member.PathOf("joint"), member.Faults());
  if (!joint.Check({"offset", "channels", "end_site"})) return false;
  JointSkeleton skeleton;
  const Json* offset = joint.Find("offset");
  const Json* endSite = joint.Find("end_site");
  if (!offset)
    return member.Faults().Fail(joint.PathOf("offset"), "missing (expected an array of 3 numbers)");
  if (!ReadVector(*offset, joint.PathOf("offset"), skeleton.offset, member.Faults()) ||
      !ReadChannels(joint, skeleton.channels))
    return false;
  if (endSite) {
    skeleton.endSite.emplace();
    if (!ReadVector(*endSite, joint.PathOf("end_site"), *skeleton.endSite, member.Faults()))
      return false;
  }
  SetJointSkeleton(object, skeleton);
  return true;
}

void WriteJointMember(const BaseObject& object, Json& out) {
  const std::optional<JointSkeleton> skeleton = GetJointSkeleton(object);
  if (!skeleton) return;
  Json joint = Json::object();
  joint["offset"] = VectorJson(skeleton->offset);
  joint["channels"] = skeleton->channels;
  if (skeleton->endSite) joint["end_site"] = VectorJson(*skeleton->endSite);
  out["joint"] = std::move(joint);
}
