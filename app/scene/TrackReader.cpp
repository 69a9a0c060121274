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
JsonRead<BaseTime> ReadTime(const Json& value, const std::string& path) {
  if (value.is_number()) {
    const JsonRead<double> seconds = ReadFiniteNumber(value, path);
    return {seconds.Ok() ? BaseTime(seconds.value) : BaseTime(), seconds.error};
  }
  if (!value.is_array() || value.size() != 2)
    return {BaseTime(), JsonFault(path, "expected seconds or [numerator, denominator]").error};
  const JsonRead<LLONG> numerator =
      ReadWholeNumber(value[0], IndexPath(path, 0), kLlongMin, kLlongMax);
  if (!numerator.Ok()) return {BaseTime(), numerator.error};
  const JsonRead<LLONG> denominator = ReadWholeNumber(value[1], IndexPath(path, 1), 1, kLlongMax);
  if (!denominator.Ok()) return {BaseTime(), denominator.error};
  return {BaseTime(numerator.value, denominator.value), ""};
}

// "frame": n is exactly n / fps.
JsonRead<BaseTime> ReadKeyTime(const JsonObject& key, LONG fps) {
  const Json* frame = key.Find("frame");
  const Json* seconds = key.Find("time");
  if (frame && seconds)
    return {BaseTime(), JsonFault(key.PathOf("time"), "a key has frame or time, not both").error};
  if (!frame && !seconds)
    return {BaseTime(), JsonFault(key.PathOf("frame"), "missing (expected frame or time)").error};
  if (seconds) return ReadTime(*seconds, key.PathOf("time"));
  const JsonRead<LLONG> number = ReadWholeNumber(*frame, key.PathOf("frame"), kLlongMin, kLlongMax);
  return {number.Ok() ? BaseTime(number.value, fps) : BaseTime(), number.error};
}

Status ReadTangent(const JsonObject& key, const std::string& side, double (&tangent)[2]) {
  const Json* value = key.Find(side);
  if (!value) return {};
  return ReadNumberArray(*value, key.PathOf(side), 2, tangent);
}

JsonRead<CINTERPOLATION> ReadInterpolation(const JsonObject& key) {
  const JsonRead<std::string> name = key.Text("interp", Need::kRequired);
  CINTERPOLATION interpolation = CINTERPOLATION_SPLINE;
  if (!name.Ok()) return {interpolation, name.error};
  if (InterpolationFromName(name.value, interpolation)) return {interpolation, ""};
  return {interpolation, JsonFault(key.PathOf("interp"), "expected spline, linear or step").error};
}

// Data-track keys carry "data"; value keys carry "value".
Status ReadKeyPayload(const JsonObject& key, LONG category, double& value, GeData& data) {
  const bool isDataKey = category == CTRACK_CATEGORY_DATA;
  const JsonRead<double> number =
      key.Number("value", isDataKey ? Need::kOptional : Need::kRequired);
  if (!number.Ok()) return {number.error};
  value = number.value;
  const Json* typed = key.Find("data");
  if (!typed && isDataKey)
    return JsonFault(key.PathOf("data"), "missing (expected a typed value like {\"long\": 3})");
  if (!typed) return {};
  JsonRead<GeData> read = ReadTypedValue(*typed, key.PathOf("data"));
  data = std::move(read.value);
  return {read.error};
}

Status ReadKey(const Json& json, const std::string& path, LONG category, LONG fps, CKey& key) {
  const JsonObject member(json, path);
  double value = 0.0, left[2] = {0.0, 0.0}, right[2] = {0.0, 0.0};
  GeData data;
  if (Status read = member.Check({"frame", "time", "value", "data", "interp", "left", "right"});
      !read.Ok())
    return read;
  const JsonRead<BaseTime> time = ReadKeyTime(member, fps);
  if (!time.Ok()) return {time.error};
  if (Status read = ReadKeyPayload(member, category, value, data); !read.Ok()) return read;
  const JsonRead<CINTERPOLATION> interpolation = ReadInterpolation(member);
  if (!interpolation.Ok()) return {interpolation.error};
  if (Status read = ReadTangent(member, "left", left); !read.Ok()) return read;
  if (Status read = ReadTangent(member, "right", right); !read.Ok()) return read;
  key.SetTime(nullptr, time.value);
  key.SetValue(nullptr, value);
  key.SetGeData(nullptr, data);
  key.SetInterpolation(nullptr, interpolation.value);
  key.SetTimeLeft(nullptr, BaseTime(left[0]));
  key.SetValueLeft(nullptr, left[1]);
  key.SetTimeRight(nullptr, BaseTime(right[0]));
  key.SetValueRight(nullptr, right[1]);
  return {};
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
Status InsertInTimeOrder(std::vector<PendingKey>& keys, const std::string& path, CCurve& curve) {
  std::stable_sort(keys.begin(), keys.end(), [](const PendingKey& a, const PendingKey& b) {
    return a.key->GetTime() < b.key->GetTime();
  });
  for (std::size_t i = 0; i < keys.size(); ++i) {
    PendingKey& read = keys[i];
    if (i + 1 < keys.size() && keys[i + 1].key->GetTime() == read.key->GetTime()) continue;
    if (!curve.InsertKey(read.key.get()))
      return JsonFault(IndexPath(path, read.index), "the key could not be added");
    read.key.release();  // the curve's now
  }
  return {};
}

Status ReadKeys(const Json& keys, const std::string& path, LONG category, LONG fps, CCurve& curve) {
  std::vector<PendingKey> read;
  read.reserve(keys.size());
  for (std::size_t i = 0; i < keys.size(); ++i) {
    read.push_back({std::unique_ptr<CKey, KeyFree>(CKey::Alloc()), i});
    if (!read.back().key) return JsonFault(IndexPath(path, i), "out of memory");
    const Status key = ReadKey(keys[i], IndexPath(path, i), category, fps, *read.back().key);
    if (!key.Ok()) return key;
  }
  return InsertInTimeOrder(read, path, curve);
}

// Without "unit" a track's unit is real.
JsonRead<LONG> ReadUnit(const JsonObject& track) {
  LONG unit = DESC_UNIT_REAL;
  if (!track.Find("unit")) return {unit, ""};
  const JsonRead<std::string> name = track.Text("unit", Need::kRequired);
  if (!name.Ok()) return {unit, name.error};
  if (UnitFromName(name.value, unit)) return {unit, ""};
  return {unit,
          JsonFault(track.PathOf("unit"), "expected real, distance, degree or percent").error};
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

Status ReadTrack(const Json& json, const std::string& path, LONG index, LONG fps,
                 BaseList2D& owner) {
  const JsonObject member(json, path);
  if (Status read = member.Check({"name", "category", "unit", "data", "keys"}); !read.Ok())
    return read;
  const JsonRead<std::string> name = member.Text("name", Need::kRequired);
  if (!name.Ok()) return {name.error};
  const JsonRead<LLONG> category =
      member.WholeNumber("category", kLongMin, kLongMax, Need::kRequired);
  if (!category.Ok()) return {category.error};
  const JsonRead<LONG> unit = ReadUnit(member);
  if (!unit.Ok()) return {unit.error};
  const JsonRead<const Json*> keys = member.Array("keys", Need::kOptional);
  if (!keys.Ok()) return {keys.error};
  BaseContainer data;
  const Json* dataJson = member.Find("data");
  if (dataJson) {
    const Status read = ReadContainer(*dataJson, member.PathOf("data"), data);
    if (!read.Ok()) return read;
  }
  CTrack* track =
      AddTrack(owner, index, name.value, static_cast<LONG>(category.value), unit.value, data);
  CCurve* curve = track ? track->GetCurve(CC_CURVE_CURVE, TRUE) : nullptr;
  if (!curve) return JsonFault(path, "out of memory");
  if (!keys.value) return {};
  return ReadKeys(*keys.value, member.PathOf("keys"), track->GetTrackCategory(), fps, *curve);
}

}  // namespace

Status ReadTracks(const Json& tracks, const std::string& path, LONG fps, BaseList2D& owner) {
  if (!tracks.is_array()) return JsonFault(path, "expected an array of tracks");
  if (tracks.size() > static_cast<std::size_t>(kLongMax - kFirstTrackId))
    return JsonFault(path, "too many tracks");
  for (std::size_t i = 0; i < tracks.size(); ++i) {
    const Status read = ReadTrack(tracks[i], IndexPath(path, i), static_cast<LONG>(i), fps, owner);
    if (!read.Ok()) return read;
  }
  return {};
}
