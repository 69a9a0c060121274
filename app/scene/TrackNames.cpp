// The one name of each track.
#include "TrackNames.h"

#include "ScenePaths.h"

std::string ShortTrackName(const CTrack& track) {
  const BaseList2D* owner = track.GetObject();
  std::string name = owner ? owner->GetName().ToUtf8() + "." : std::string();
  if (owner && owner->IsInstanceOf(Tbase)) {
    const BaseObject* object = static_cast<const BaseTag*>(owner)->GetObject();
    if (object) name = object->GetName().ToUtf8() + "." + name;
  }
  return name + track.GetName().ToUtf8();
}

TrackNames::TrackNames(const BaseDocument& doc) {
  for (const SceneElement& element : ListSceneElements(doc))
    for (const CTrack* track = element.element->GetFirstCTrack(); track; track = track->GetNext()) {
      Names names{ShortTrackName(*track), element.path + "." + track->GetName().ToUtf8()};
      ++_shortNameCounts[names.shortName];
      _names.emplace(track, std::move(names));
      _tracks.push_back(track);
    }
}

std::string TrackNames::NameOf(const CTrack& track) const {
  const auto found = _names.find(&track);
  if (found == _names.end()) return std::string();
  const Names& names = found->second;
  return _shortNameCounts.at(names.shortName) == 1 ? names.shortName : names.fullPath;
}

std::string TrackNames::FullPathOf(const CTrack& track) const {
  const auto found = _names.find(&track);
  return found == _names.end() ? std::string() : found->second.fullPath;
}

std::vector<const CTrack*> TrackNames::Find(const std::string& name) const {
  for (const CTrack* track : _tracks)
    if (_names.at(track).fullPath == name) return {track};
  std::vector<const CTrack*> matches;
  for (const CTrack* track : _tracks)
    if (_names.at(track).shortName == name) matches.push_back(track);
  return matches;
}
