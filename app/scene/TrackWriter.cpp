// Writing the tracks of a scene element.
#include "TrackWriter.h"

#include <cmath>
#include <numeric>

#include "ContainerJson.h"
#include "SceneNames.h"

namespace {

// The whole frame of a time numerator / denominator (above 0) at fps, if it is one: the time is
// a frame when denominator / gcd(fps, denominator) divides the numerator.
bool WholeFrame(LLONG numerator, LLONG denominator, LONG fps, LLONG& frame) {
  const LLONG common = std::gcd(static_cast<LLONG>(fps), denominator);
  const LLONG reduced = denominator / common;
  if (numerator % reduced != 0) return false;
  return !__builtin_mul_overflow(numerator / reduced, fps / common, &frame);
}

// The first form that reads back as the same time.
void WriteKeyTime(const BaseTime& time, LONG fps, Json& key) {
  const LLONG numerator = time.GetDenominator() == 0 ? 0 : time.GetNumerator();
  const LLONG denominator = time.GetDenominator() == 0 ? 1 : time.GetDenominator();
  LLONG frame = 0;
  if (WholeFrame(numerator, denominator, fps, frame)) {
    key["frame"] = frame;
    return;
  }
  if (BaseTime(time.Get()) == time) {
    key["time"] = time.Get();
    return;
  }
  key["time"] = Json::array({numerator, denominator});
}

bool WriteNumber(double value, const std::string& path, Json& out, JsonFaults& faults) {
  if (!std::isfinite(value)) return faults.Fail(path, "a number that is not finite");
  out = value;
  return true;
}

// Tangent times are seconds in the file, which read as whole milliseconds: write the time that
// reading gives, so a second write matches the first. Zero tangents are left out.
bool WriteTangent(const char* side, const BaseTime& offset, double value,
                  const std::string& keyPath, Json& key, JsonFaults& faults) {
  if (offset == BaseTime() && value == 0.0) return true;
  Json valueJson;
  if (!WriteNumber(value, IndexPath(MemberPath(keyPath, side), 1), valueJson, faults)) return false;
  key[side] = Json::array({BaseTime(offset.Get()).Get(), valueJson});
  return true;
}

bool WriteKeyPayload(const CKey& key, LONG category, const std::string& path, Json& out,
                     JsonFaults& faults) {
  const bool isDataKey = category == CTRACK_CATEGORY_DATA;
  if (!isDataKey || key.GetValue() != 0.0) {
    if (!WriteNumber(key.GetValue(), MemberPath(path, "value"), out["value"], faults)) return false;
  }
  if (key.GetGeData().GetType() == DA_NIL) {
    return !isDataKey || faults.Fail(MemberPath(path, "data"), "a data key without data");
  }
  return WriteTypedValue(key.GetGeData(), MemberPath(path, "data"), out["data"], faults);
}

bool WriteKey(const CKey& key, LONG category, LONG fps, const std::string& path, Json& out,
              JsonFaults& faults) {
  out = Json::object();
  WriteKeyTime(key.GetTime(), fps, out);
  if (!WriteKeyPayload(key, category, path, out, faults)) return false;
  const char* interpolation = InterpolationName(key.GetInterpolation());
  if (!interpolation)
    return faults.Fail(MemberPath(path, "interp"),
                       "an interpolation that is not spline, linear or step");
  out["interp"] = interpolation;
  return WriteTangent("left", key.GetTimeLeft(), key.GetValueLeft(), path, out, faults) &&
         WriteTangent("right", key.GetTimeRight(), key.GetValueRight(), path, out, faults);
}

bool WriteKeys(CTrack& track, LONG fps, const std::string& path, Json& out, JsonFaults& faults) {
  out = Json::array();
  const CCurve* curve = track.GetCurve(CC_CURVE_CURVE, FALSE);
  const LONG keyCount = curve ? curve->GetKeyCount() : 0;
  for (LONG index = 0; index < keyCount; ++index) {
    Json key;
    if (!WriteKey(*curve->GetKey(index), track.GetTrackCategory(), fps, IndexPath(path, index), key,
                  faults))
      return false;
    out.push_back(std::move(key));
  }
  return true;
}

bool WriteTrackHeader(const CTrack& track, const std::string& path, Json& out, JsonFaults& faults) {
  const std::string name = track.GetName().ToUtf8();
  if (!IsUtf8(name)) return faults.Fail(MemberPath(path, "name"), "text that is not valid UTF-8");
  out["name"] = name;
  out["category"] = track.GetTrackCategory();
  const LONG unit = track.GetUnit(nullptr);
  if (track.GetTrackCategory() == CTRACK_CATEGORY_VALUE || unit != DESC_UNIT_REAL) {
    if (!UnitName(unit))
      return faults.Fail(MemberPath(path, "unit"),
                         "unit " + std::to_string(unit) + " that scene files cannot hold");
    out["unit"] = UnitName(unit);
  }
  const BaseContainer* data = track.GetDataInstance();
  if (data->GetEntryCount() == 0) return true;
  return WriteContainer(*data, MemberPath(path, "data"), out["data"], faults);
}

}  // namespace

bool WriteTracks(const BaseList2D& owner, const std::string& path, LONG fps, Json& out,
                 JsonFaults& faults) {
  out = Json::array();
  std::size_t index = 0;
  for (CTrack* track = owner.GetFirstCTrack(); track; track = track->GetNext(), ++index) {
    const std::string trackPath = IndexPath(path, index);
    Json json = Json::object();
    if (!WriteTrackHeader(*track, trackPath, json, faults) ||
        !WriteKeys(*track, fps, MemberPath(trackPath, "keys"), json["keys"], faults))
      return false;
    out.push_back(std::move(json));
  }
  return true;
}
