// Reading the tracks of a scene element.
#include "TrackReader.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

#include "ContainerJson.h"
#include "SceneNames.h"

namespace {

constexpr LLONG kLongMin = std::numeric_limits<LONG>::min();
constexpr LLONG kLongMax = std::numeric_limits<LONG>::max();
constexpr LLONG kLlongMin = std::numeric_limits<LLONG>::min();
constexpr LLONG kLlongMax = std::numeric_limits<LLONG>::max();

// "time": seconds (rounded to whole milliseconds) or [numerator, denominator] (exact).
bool ReadTime(const Json& value, const std::string& path, BaseTime& time, JsonFaults& faults) {
  double seconds = 0.0;
  LLONG parts[2] = {0, 1};
  if (value.is_number()) {
    if (!ReadFiniteNumber(value, path, seconds, faults)) return false;
    time = BaseTime(seconds);
    return true;
  }
  if (!value.is_array() || value.size() != 2)
    return faults.Fail(path, "expected seconds or [numerator, denominator]");
  if (!ReadWholeNumber(value[0], IndexPath(path, 0), kLlongMin, kLlongMax, parts[0], faults) ||
      !ReadWholeNumber(value[1], IndexPath(path, 1), 1, kLlongMax, parts[1], faults))
    return false;
  time = BaseTime(parts[0], parts[1]);
  return true;
}

// "frame": n is exactly n / fps.
bool ReadKeyTime(const JsonObject& key, LONG fps, BaseTime& time) {
  const Json* frame = key.Find("frame");
  const Json* seconds = key.Find("time");
  if (frame && seconds)
    return key.Faults().Fail(key.PathOf("time"), "a key has frame or time, not both");
  if (!frame && !seconds)
    return key.Faults().Fail(key.PathOf("frame"), "missing (expected frame or time)");
  if (seconds) return ReadTime(*seconds, key.PathOf("time"), time, key.Faults());
  LLONG number = 0;
  if (!ReadWholeNumber(*frame, key.PathOf("frame"), kLlongMin, kLlongMax, number, key.Faults()))
    return false;
  time = BaseTime(number, fps);
  return true;
}

bool ReadTangent(const JsonObject& key, const std::string& side, double (&tangent)[2]) {
  const Json* value = key.Find(side);
  return !value || ReadNumberArray(*value, key.PathOf(side), 2, tangent, key.Faults());
}

bool ReadInterpolation(const JsonObject& key, CINTERPOLATION& interpolation) {
  std::string name;
  if (!key.Text("interp", name, Need::kRequired)) return false;
  if (InterpolationFromName(name, interpolation)) return true;
  return key.Faults().Fail(key.PathOf("interp"), "expected spline, linear or step");
}

// Data-track keys carry "data"; value keys carry "value".
bool ReadKeyPayload(const JsonObject& key, LONG category, double& value, GeData& data) {
  const bool isDataKey = category == CTRACK_CATEGORY_DATA;
  if (!key.Number("value", value, isDataKey ? Need::kOptional : Need::kRequired)) return false;
  const Json* typed = key.Find("data");
  if (!typed && isDataKey)
    return key.Faults().Fail(key.PathOf("data"),
                             "missing (expected a typed value like {\"long\": 3})");
  return !typed || ReadTypedValue(*typed, key.PathOf("data"), data, key.Faults());
}

bool ReadKey(const Json& json, const std::string& path, LONG category, LONG fps, CKey& key,
             JsonFaults& faults) {
  const JsonObject member(json, path, faults);
  BaseTime time;
  double value = 0.0, left[2] = {0.0, 0.0}, right[2] = {0.0, 0.0};
  GeData data;
  CINTERPOLATION interpolation = CINTERPOLATION_SPLINE;
  if (!member.Check({"frame", "time", "value", "data", "interp", "left", "right"}) ||
      !ReadKeyTime(member, fps, time) || !ReadKeyPayload(member, category, value, data) ||
      !ReadInterpolation(member, interpolation) || !ReadTangent(member, "left", left) ||
      !ReadTangent(member, "right", right))
    return false;
  key.SetTime(nullptr, time);
  key.SetValue(nullptr, value);
  key.SetGeData(nullptr, data);
  key.SetInterpolation(nullptr, interpolation);
  key.SetTimeLeft(nullptr, BaseTime(left[0]));
  key.SetValueLeft(nullptr, left[1]);
  key.SetTimeRight(nullptr, BaseTime(right[0]));
  key.SetValueRight(nullptr, right[1]);
  return true;
}

// A key read from the file with its place there, until it goes into the curve. Freed unless the
// curve takes it, also when running out of memory throws.
struct KeyFree {
  void operator()(CKey* key) const { CKey::Free(key); }
};
struct PendingKey {
  std::unique_ptr<CKey, KeyFree> key;
  std::size_t index;
};

// Two keys at one time: the later in the file wins. The keys go in in time order, so the curve
// only ever appends, whatever order the file has them in.
bool InsertInTimeOrder(std::vector<PendingKey>& keys, const std::string& path, CCurve& curve,
                       JsonFaults& faults) {
  std::stable_sort(keys.begin(), keys.end(), [](const PendingKey& a, const PendingKey& b) {
    return a.key->GetTime() < b.key->GetTime();
  });
  for (std::size_t i = 0; i < keys.size(); ++i) {
    PendingKey& read = keys[i];
    if (i + 1 < keys.size() && keys[i + 1].key->GetTime() == read.key->GetTime()) continue;
    if (!curve.InsertKey(read.key.get()))
      return faults.Fail(IndexPath(path, read.index), "the key could not be added");
    read.key.release();  // the curve's now
  }
  return true;
}

bool ReadKeys(const Json& keys, const std::string& path, LONG category, LONG fps, CCurve& curve,
              JsonFaults& faults) {
  std::vector<PendingKey> read;
  read.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    read.push_back({std::unique_ptr<CKey, KeyFree>(CKey::Alloc()), i});
    if (!read.back().key) return faults.Fail(IndexPath(path, i), "out of memory");
    if (!ReadKey(keys[i], IndexPath(path, i), category, fps, *read.back().key, faults))
      return faults.Fail(IndexPath(path, i), "the key could not be added");
  }
  return InsertInTimeOrder(read, path, curve, faults);
}

bool ReadUnit(const JsonObject& track, LONG& unit) {
  std::string name;
  if (!track.Find("unit")) return true;
  if (!track.Text("unit", name, Need::kRequired)) return false;
  if (UnitFromName(name, unit)) return true;
  return track.Faults().Fail(track.PathOf("unit"), "expected real, distance, degree or percent");
}

CTrack* AddTrack(BaseList2D& owner, LONG index, const std::string& name, LONG category, LONG unit,
                 const BaseContainer& data) {
  CTrack* track = CTrack::Alloc(&owner, DescID(kFirstTrackId + index));
  if (!track) return nullptr;
  owner.InsertTrackSorted(track);
  track->SetName(String(name));
  track->SetTrackCategory(category);
  track->SetUnit(unit);
  track->SetData(data);
  return track;
}

bool ReadTrack(const Json& json, const std::string& path, LONG index, LONG fps, BaseList2D& owner,
               JsonFaults& faults) {
  const JsonObject member(json, path, faults);
  std::string name;
  LLONG category = 0;
  LONG unit = DESC_UNIT_REAL;
  const Json* keys = nullptr;
  const Json* dataJson = nullptr;
  BaseContainer data;
  if (!member.Check({"name", "category", "unit", "data", "keys"}) ||
      !member.Text("name", name, Need::kRequired) ||
      !member.WholeNumber("category", kLongMin, kLongMax, category, Need::kRequired) ||
      !ReadUnit(member, unit) || !member.Array("keys", keys, Need::kOptional))
    return false;
  dataJson = member.Find("data");
  if (dataJson && !ReadContainer(*dataJson, member.PathOf("data"), data, faults)) return false;
  CTrack* track = AddTrack(owner, index, name, static_cast<LONG>(category), unit, data);
  CCurve* curve = track ? track->GetCurve(CC_CURVE_CURVE, TRUE) : nullptr;
  if (!curve) return faults.Fail(path, "out of memory");
  return !keys ||
         ReadKeys(*keys, member.PathOf("keys"), track->GetTrackCategory(), fps, *curve, faults);
}

}  // namespace

bool ReadTracks(const Json& tracks, const std::string& path, LONG fps, BaseList2D& owner,
                JsonFaults& faults) {
  if (!tracks.is_array()) return faults.Fail(path, "expected an array of tracks");
  if (tracks.size() > static_cast<std::size_t>(kLongMax - kFirstTrackId))
    return faults.Fail(path, "too many tracks");
  for (std::size_t i = 0; i < tracks.size(); ++i)
    if (!ReadTrack(tracks[i], IndexPath(path, i), static_cast<LONG>(i), fps, owner, faults))
      return false;
  return true;
}
