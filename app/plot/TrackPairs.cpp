// Matching the tracks of two documents.
#include "TrackPairs.h"

#include "PrintableText.h"
#include "ScenePaths.h"
#include "TrackNames.h"

namespace {

struct WalkedTrack {
  std::string element;
  CTrack* track;
};

std::vector<WalkedTrack> WalkTracks(const BaseDocument& doc) {
  std::vector<WalkedTrack> tracks;
  for (const SceneElement& element : ListSceneElements(doc))
    for (CTrack* track = element.element->GetFirstCTrack(); track; track = track->GetNext())
      tracks.push_back({element.path, track});
  return tracks;
}

std::string CategoryText(LONG category) {
  if (category == CTRACK_CATEGORY_VALUE) return "value";
  if (category == CTRACK_CATEGORY_DATA) return "data";
  return "category " + std::to_string(category);
}

std::string Describe(const WalkedTrack& walked) {
  return "'" + Printable(walked.element + "." + walked.track->GetName().ToUtf8()) + "' (" +
         CategoryText(walked.track->GetTrackCategory()) + " track)";
}

bool SameTrack(const WalkedTrack& a, const WalkedTrack& b) {
  return a.element == b.element && a.track->GetName().ToUtf8() == b.track->GetName().ToUtf8() &&
         a.track->GetTrackCategory() == b.track->GetTrackCategory();
}

// The first difference of the two walks, or an empty text.
std::string FirstDifference(const std::vector<WalkedTrack>& before, const std::string& beforeName,
                            const std::vector<WalkedTrack>& after, const std::string& afterName) {
  for (size_t i = 0; i < before.size() && i < after.size(); ++i)
    if (!SameTrack(before[i], after[i]))
      return "track " + std::to_string(i + 1) + " is " + Describe(before[i]) + " in " + beforeName +
             " but " + Describe(after[i]) + " in " + afterName;
  if (before.size() == after.size()) return "";
  const bool afterShorter = after.size() < before.size();
  const WalkedTrack& extra = afterShorter ? before[after.size()] : after[before.size()];
  return beforeName + " has " + std::to_string(before.size()) + " tracks, " + afterName + " " +
         std::to_string(after.size()) + ": " + Describe(extra) + " is missing from " +
         (afterShorter ? afterName : beforeName);
}

}  // namespace

bool TrackPair::IsPlottable() const {
  const LONG category = after ? after->GetTrackCategory() : 0;
  return category == CTRACK_CATEGORY_VALUE || category == CTRACK_CATEGORY_DATA;
}

TrackPairing PairTracks(const BaseDocument& before, const std::string& beforeName,
                        const BaseDocument& after, const std::string& afterName) {
  const std::string mismatch = beforeName + " and " + afterName + " do not match: ";
  if (before.GetFps() != after.GetFps())
    return {{},
            mismatch + beforeName + " has " + std::to_string(before.GetFps()) + " fps, " +
                afterName + " " + std::to_string(after.GetFps())};
  const std::vector<WalkedTrack> beforeTracks = WalkTracks(before);
  const std::vector<WalkedTrack> afterTracks = WalkTracks(after);
  const std::string difference = FirstDifference(beforeTracks, beforeName, afterTracks, afterName);
  if (!difference.empty()) return {{}, mismatch + difference};
  TrackPairing pairing;
  const TrackNames names(before);
  for (size_t i = 0; i < beforeTracks.size(); ++i) {
    const CTrack& track = *beforeTracks[i].track;
    pairing.pairs.push_back({beforeTracks[i].element, track.GetName().ToUtf8(),
                             beforeTracks[i].track, afterTracks[i].track, names.NameOf(track),
                             ShortTrackName(track)});
  }
  return pairing;
}
