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

Status WriteNumber(double value, const std::string& path, Json& out) {
  if (!std::isfinite(value)) return JsonFault(path, "a number that is not finite");
  out = value;
  return {};
}

// Tangent times are seconds in the file, which read as whole milliseconds: write the time that
// reading gives, so a second write matches the first. Zero tangents are left out.
Status WriteTangent(const char* side, const BaseTime& offset, double value,
                    const std::string& keyPath, Json& key) {
  if (offset == BaseTime() && value == 0.0) return {};
  Json valueJson;
  const Status written = WriteNumber(value, IndexPath(MemberPath(keyPath, side), 1), valueJson);
  if (!written.Ok()) return written;
  key[side] = Json::array({BaseTime(offset.Get()).Get(), valueJson});
  return {};
}

Status WriteKeyPayload(const CKey& key, LONG category, const std::string& path, Json& out) {
  const bool isDataKey = category == CTRACK_CATEGORY_DATA;
  if (!isDataKey || key.GetValue() != 0.0) {
    const Status written = WriteNumber(key.GetValue(), MemberPath(path, "value"), out["value"]);
    if (!written.Ok()) return written;
  }
  if (key.GetGeData().GetType() == DA_NIL) {
    if (!isDataKey) return {};
    return JsonFault(MemberPath(path, "data"), "a data key without data");
  }
  return WriteTypedValue(key.GetGeData(), MemberPath(path, "data"), out["data"]);
}

Status WriteKey(const CKey& key, LONG category, LONG fps, const std::string& path, Json& out) {
  out = Json::object();
  WriteKeyTime(key.GetTime(), fps, out);
  if (Status written = WriteKeyPayload(key, category, path, out); !written.Ok()) return written;
  const char* interpolation = InterpolationName(key.GetInterpolation());
  if (!interpolation)
    return JsonFault(MemberPath(path, "interp"),
                     "an interpolation that is not spline, linear or step");
  out["interp"] = interpolation;
  if (Status written = WriteTangent("left", key.GetTimeLeft(), key.GetValueLeft(), path, out);
      !written.Ok())
    return written;
  return WriteTangent("right", key.GetTimeRight(), key.GetValueRight(), path, out);
}

Status WriteKeys(CTrack& track, LONG fps, const std::string& path, Json& out) {
  out = Json::array();
  const CCurve* curve = track.GetCurve(CC_CURVE_CURVE, FALSE);
  const LONG keyCount = curve ? curve->GetKeyCount() : 0;
  for (LONG index = 0; index < keyCount; ++index) {
    Json key;
    const Status written =
        WriteKey(*curve->GetKey(index), track.GetTrackCategory(), fps, IndexPath(path, index), key);
    if (!written.Ok()) return written;
    out.push_back(std::move(key));
  }
  return {};
}

Status WriteTrackHeader(const CTrack& track, const std::string& path, Json& out) {
  const std::string name = track.GetName().ToUtf8();
  if (!IsUtf8(name)) return JsonFault(MemberPath(path, "name"), "text that is not valid UTF-8");
  out["name"] = name;
  out["category"] = track.GetTrackCategory();
  const LONG unit = track.GetUnit(nullptr);
  if (track.GetTrackCategory() == CTRACK_CATEGORY_VALUE || unit != DESC_UNIT_REAL) {
    if (!UnitName(unit))
      return JsonFault(MemberPath(path, "unit"),
                       "unit " + std::to_string(unit) + " that scene files cannot hold");
    out["unit"] = UnitName(unit);
  }
  const BaseContainer* data = track.GetDataInstance();
  if (data->GetEntryCount() == 0) return {};
  return WriteContainer(*data, MemberPath(path, "data"), out["data"]);
}

}  // namespace

Status WriteTracks(const BaseList2D& owner, const std::string& path, LONG fps, Json& out) {
  out = Json::array();
  std::size_t index = 0;
  for (CTrack* track = owner.GetFirstCTrack(); track; track = track->GetNext(), ++index) {
    const std::string trackPath = IndexPath(path, index);
    Json json = Json::object();
    Status written = WriteTrackHeader(*track, trackPath, json);
    if (written.Ok()) written = WriteKeys(*track, fps, MemberPath(trackPath, "keys"), json["keys"]);
    if (!written.Ok()) return written;
    out.push_back(std::move(json));
  }
  return {};
}
