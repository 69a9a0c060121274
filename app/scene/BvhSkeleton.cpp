// The skeleton of a BVH joint, kept in its object's data container.
#include "BvhSkeleton.h"

namespace {

// An id of the program's own in the object's container; the plug-in reads no object data.
constexpr LONG kSkeletonId = 1031900;
enum SkeletonEntry : LONG { kOffset = 1, kChannels = 2, kEndSite = 3 };

struct ChannelName {
  const char* name;
  bool isRotation;
};
constexpr ChannelName kChannelNames[] = {{"Xposition", false}, {"Yposition", false},
                                         {"Zposition", false}, {"Xrotation", true},
                                         {"Yrotation", true},  {"Zrotation", true}};

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  return true;
}

}  // namespace

std::optional<bool> BvhChannelIsRotation(std::string_view name) {
  for (const ChannelName& channel : kChannelNames)
    if (EqualsIgnoringCase(name, channel.name)) return channel.isRotation;
  return std::nullopt;
}

std::optional<JointSkeleton> GetJointSkeleton(const BaseObject& object) {
  const BaseContainer* data = object.GetDataInstance()->GetContainerInstance(kSkeletonId);
  if (!data) return std::nullopt;
  JointSkeleton skeleton;
  skeleton.offset = data->GetVector(kOffset);
  const BaseContainer* channels = data->GetContainerInstance(kChannels);
  for (LONG i = 0; channels && i < channels->GetEntryCount(); ++i)
    skeleton.channels.push_back(channels->GetString(channels->GetIndexId(i)).ToUtf8());
  if (data->GetDataPointer(kEndSite)) skeleton.endSite = data->GetVector(kEndSite);
  return skeleton;
}

void SetJointSkeleton(BaseObject& object, const JointSkeleton& skeleton) {
  BaseContainer data;
  data.SetVector(kOffset, skeleton.offset);
  BaseContainer channels;
  for (std::size_t i = 0; i < skeleton.channels.size(); ++i)
    channels.SetString(static_cast<LONG>(i), String(skeleton.channels[i]));
  data.SetContainer(kChannels, channels);
  if (skeleton.endSite) data.SetVector(kEndSite, *skeleton.endSite);
  object.GetDataInstance()->SetContainer(kSkeletonId, data);
}
