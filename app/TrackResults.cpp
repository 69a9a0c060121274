// The outcome of a reduction, track by track.
#include "TrackResults.h"

#include <algorithm>

#include "CurveDeviation.h"
#include "PluginIds.h"

namespace {

LONG KeyCount(CTrack& track) {
  const CCurve* curve = track.GetCurve(CC_CURVE_CURVE, FALSE);
  return curve ? curve->GetKeyCount() : 0;
}

const BaseContainer* SettingsOf(CTrack& track) {
  return track.GetDataInstance()->GetContainerInstance(plugin_ids::kSettings);
}

// The precision stored in the track's settings, or the plug-in's default for its category.
double PrecisionOf(CTrack& track) {
  const double fallback = track.GetTrackCategory() == CTRACK_CATEGORY_DATA ? 1.0 : 0.5;
  const BaseContainer* settings = SettingsOf(track);
  return settings ? settings->GetReal(plugin_ids::kPrecisionEntry, fallback) : fallback;
}

bool HoldOf(CTrack& track) {
  const BaseContainer* settings = SettingsOf(track);
  return !settings || settings->GetBool(plugin_ids::kHoldEntry, TRUE);
}

}  // namespace

int StatusOfText(const std::string& text) {
  if (text.empty()) return kStatusNone;
  if (text == GeLoadString(plugin_ids::kTextReduced).ToUtf8()) return kStatusReduced;
  if (text == GeLoadString(plugin_ids::kTextNoReduction).ToUtf8()) return kStatusUnchanged;
  if (text == GeLoadString(plugin_ids::kTextWorking).ToUtf8()) return kStatusBusy;
  return kStatusFailed;
}

TrackResult MeasureTrack(CTrack& before, CTrack& after, LONG fps) {
  TrackResult result;
  result.category = after.GetTrackCategory();
  result.keysBefore = KeyCount(before);
  result.keysAfter = KeyCount(after);
  result.precision = PrecisionOf(after);
  result.held = HoldOf(after);
  result.maxDeviation = MaxTrackDeviation(before, after, fps);
  result.everyStepMeasured = MeasuresEveryStep(before, after, fps);
  return result;
}

long CountProcessed(const ReduceSummary& summary) {
  return std::count_if(summary.tracks.begin(), summary.tracks.end(),
                       [](const TrackResult& track) { return track.status != kStatusNone; });
}

bool AnyFailed(const ReduceSummary& summary) {
  return std::any_of(summary.tracks.begin(), summary.tracks.end(),
                     [](const TrackResult& track) { return track.status == kStatusFailed; });
}

double AllowedDeviation(const TrackResult& track) {
  return track.category == CTRACK_CATEGORY_DATA ? 0.0 : track.precision;
}

bool IsWithinPrecision(const TrackResult& track) {
  return track.maxDeviation && *track.maxDeviation <= AllowedDeviation(track);
}

long CountAbovePrecision(const ReduceSummary& summary) {
  return std::count_if(summary.tracks.begin(), summary.tracks.end(),
                       [](const TrackResult& track) { return !IsWithinPrecision(track); });
}
