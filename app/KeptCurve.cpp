// A track's curve kept compactly for measuring.
#include "KeptCurve.h"

#include <cmath>
#include <new>
#include <utility>

namespace {

// The same time to the bit: numerator and denominator, not just the same number of seconds.
bool Same(const BaseTime& a, const BaseTime& b) {
  return a.GetNumerator() == b.GetNumerator() && a.GetDenominator() == b.GetDenominator();
}

bool IsUnset(const BaseTime& offset) { return Same(offset, BaseTime()); }
bool IsUnset(Real offset) { return offset == 0.0 && !std::signbit(offset); }

// A key that a run can hold: exactly what a new key reads, but for time, value and interpolation.
bool IsPlain(const CKey& key) {
  return IsUnset(key.GetTimeLeft()) && IsUnset(key.GetTimeRight()) && IsUnset(key.GetValueLeft()) &&
         IsUnset(key.GetValueRight()) && key.GetGeData().GetType() == DA_NIL;
}

// Takes ownership of key; FALSE (key freed) when it cannot go on the curve.
bool Insert(CCurve& curve, CKey* key) {
  if (key && curve.InsertKey(key)) return true;
  CKey::Free(key);
  return false;
}

}  // namespace

KeptCurve::~KeptCurve() { Free(); }

KeptCurve::KeptCurve(KeptCurve&& other) noexcept { *this = std::move(other); }

KeptCurve& KeptCurve::operator=(KeptCurve&& other) noexcept {
  std::swap(_category, other._category);
  std::swap(_unit, other._unit);
  std::swap(_hasCurve, other._hasCurve);
  std::swap(_runs, other._runs);
  std::swap(_values, other._values);
  std::swap(_full, other._full);
  std::swap(_lastTime, other._lastTime);
  return *this;
}

void KeptCurve::Free() {
  for (CKey*& key : _full) CKey::Free(key);
  _full.clear();
  _runs.clear();
  _values.clear();
}

bool KeptCurve::Keep(CTrack& track) {
  Free();
  _category = track.GetTrackCategory();
  _unit = track.GetUnit(nullptr);
  const CCurve* curve = track.GetCurve(CC_CURVE_CURVE, FALSE);
  _hasCurve = curve != nullptr;
  try {
    if (curve) _values.reserve(static_cast<std::size_t>(curve->GetKeyCount()));
    for (LONG i = 0; curve && i < curve->GetKeyCount(); ++i)
      if (!KeepKey(*curve->GetKey(i))) return false;
    _values.shrink_to_fit();
    _runs.shrink_to_fit();
    _full.shrink_to_fit();
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

LONG KeptCurve::KeyCount() const { return static_cast<LONG>(_values.size() + _full.size()); }

bool KeptCurve::KeepKey(const CKey& key) {
  if (!IsPlain(key)) {
    _full.push_back(nullptr);  // the place first, so that a copy is never left unowned
    _full.back() = key.GetClone();
    if (_full.back()) return true;
    _full.pop_back();
    return false;
  }
  BaseTime step;
  if (!_runs.empty() && Continues(_runs.back(), key, step)) {
    _runs.back().step = step;
    ++_runs.back().count;
  } else {
    _runs.push_back({key.GetTime(), BaseTime(), 1, _full.size(), key.GetInterpolation()});
  }
  _values.push_back(key.GetValue());
  _lastTime = key.GetTime();
  return true;
}

// The second key of a run sets its step; every later one must come exactly one step after the
// key before it, so that adding the step again from the first gives each time back.
bool KeptCurve::Continues(const Run& run, const CKey& key, BaseTime& step) const {
  if (run.fullBefore != _full.size() || run.interpolation != key.GetInterpolation()) return false;
  step = run.count == 1 ? key.GetTime() - run.first : run.step;
  return Same(_lastTime + step, key.GetTime());
}

CTrack* KeptCurve::Rebuild() const {
  CTrack* track = CTrack::Alloc(nullptr, DescID());
  if (!track) return nullptr;
  track->SetTrackCategory(_category);
  track->SetUnit(_unit);
  if (!_hasCurve) return track;
  CCurve* curve = track->GetCurve(CC_CURVE_CURVE, TRUE);
  bool made = curve != nullptr;
  std::size_t full = 0, value = 0;
  for (const Run& run : _runs) {
    for (; made && full < run.fullBefore; ++full) made = Insert(*curve, _full[full]->GetClone());
    BaseTime time = run.first;
    for (std::size_t i = 0; made && i < run.count; ++i) {
      if (i > 0) time = time + run.step;
      CKey* key = CKey::Alloc();
      if (key) {
        key->SetTime(nullptr, time);
        key->SetValue(nullptr, _values[value++]);
        key->SetInterpolation(nullptr, run.interpolation);
      }
      made = Insert(*curve, key);
    }
  }
  for (; made && full < _full.size(); ++full) made = Insert(*curve, _full[full]->GetClone());
  if (!made) CTrack::Free(track);
  return track;
}
