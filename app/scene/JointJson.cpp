// The "joint" member of a scene file's object.
#include "JointJson.h"

#include "BvhSkeleton.h"

namespace {

JsonRead<Vector> ReadVector(const Json& value, const std::string& path) {
  double xyz[3];
  const Status read = ReadNumberArray(value, path, 3, xyz);
  if (!read.Ok()) return {Vector(), read.error};
  return {Vector(xyz[0], xyz[1], xyz[2]), ""};
}

JsonRead<std::vector<std::string>> ReadChannels(const JsonObject& joint) {
  const JsonRead<const Json*> list = joint.Array("channels", Need::kRequired);
  if (!list.Ok()) return {{}, list.error};
  const std::string path = joint.PathOf("channels");
  if (list.value->size() > kMaxBvhChannels)
    return {{},
            JsonFault(path, "expected at most " + std::to_string(kMaxBvhChannels) +
                                " channels, found " + std::to_string(list.value->size()))
                .error};
  std::vector<std::string> channels;
  for (std::size_t i = 0; i < list.value->size(); ++i) {
    const JsonRead<std::string> name = ReadText((*list.value)[i], IndexPath(path, i));
    if (!name.Ok()) return {{}, name.error};
    if (!BvhChannelIsRotation(name.value))
      return {
          {},
          JsonFault(IndexPath(path, i), "expected a channel name (Xposition ... Zrotation)").error};
    channels.push_back(name.value);
  }
  return {std::move(channels), ""};
}

Json VectorJson(const Vector& vector) { return Json::array({vector.x, vector.y, vector.z}); }

}  // namespace

Status ReadJointMember(const JsonObject& member, BaseObject& object) {
  const Json* value = member.Find("joint");
  if (!value) return {};
  const JsonObject joint(*value, member.PathOf("joint"));
  if (Status read = joint.Check({"offset", "channels", "end_site"}); !read.Ok()) return read;
  const Json* offset = joint.Find("offset");
  const Json* endSite = joint.Find("end_site");
  if (!offset) return JsonFault(joint.PathOf("offset"), "missing (expected an array of 3 numbers)");
  const JsonRead<Vector> offsetRead = ReadVector(*offset, joint.PathOf("offset"));
  if (!offsetRead.Ok()) return {offsetRead.error};
  JsonRead<std::vector<std::string>> channels = ReadChannels(joint);
  if (!channels.Ok()) return {channels.error};
  JointSkeleton skeleton;
  skeleton.offset = offsetRead.value;
  skeleton.channels = std::move(channels.value);
  if (endSite) {
    const JsonRead<Vector> endSiteRead = ReadVector(*endSite, joint.PathOf("end_site"));
    if (!endSiteRead.Ok()) return {endSiteRead.error};
    skeleton.endSite = endSiteRead.value;
  }
  SetJointSkeleton(object, skeleton);
  return {};
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
