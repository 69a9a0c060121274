// Keys of a curve: time, value or data, interpolation and tangents.
#include <atomic>
#include <cmath>

#include "c4d_canimation.h"
#include "c4d_debug.h"
#include "c4d_standin.h"

namespace {

// Exactly what a key without tangents reads: setting it needs no storage.
bool IsUnset(const BaseTime& offset) {
  return offset.GetNumerator() == 0 && offset.GetDenominator() == 1;
}
bool IsUnset(Real offset) { return offset == 0.0 && !std::signbit(offset); }

// Allocations left before CKey::Alloc fails; negative for no limit.
std::atomic<LLONG> g_keysLeft{-1};

Bool TakeKeyAllowance() {
  LLONG left = g_keysLeft.load(std::memory_order_relaxed);
  while (left >= 0) {
    if (left == 0) return FALSE;
    if (g_keysLeft.compare_exchange_weak(left, left - 1, std::memory_order_relaxed)) break;
  }
  return TRUE;
}

}  // namespace

namespace standin {

void SetKeyAllocationLimit(LLONG count) { g_keysLeft.store(count, std::memory_order_relaxed); }

}  // namespace standin

CKey* CKey::Alloc() { return TakeKeyAllowance() ? gNew CKey : nullptr; }

void CKey::Free(CKey*& key) {
  if (!key) return;
  if (key->_curve) key->_curve->Detach(key);
  delete key;
  key = nullptr;
}

CKey* CKey::GetClone(LONG flags, AliasTrans* trn) const {
  CKey* copy = Alloc();
  if (copy && !CopyTo(copy, flags, trn)) Free(copy);  // Free clears copy
  return copy;
}

Bool CKey::CopyTo(C4DAtom* dst, LONG, AliasTrans*) const {
  auto* target = dynamic_cast<CKey*>(dst);
  if (!target || target == this) return FALSE;
  CopyBaseTo(target);
  target->_value = _value;
  target->_interpolation = _interpolation;
  if (_more) {
    More& more = target->MakeMore();
    more.timeLeft = _more->timeLeft;
    more.timeRight = _more->timeRight;
    more.secondsLeft = _more->secondsLeft;
    more.secondsRight = _more->secondsRight;
    more.valueLeft = _more->valueLeft;
    more.valueRight = _more->valueRight;
    more.data = _more->data ? std::make_unique<GeData>(*_more->data) : nullptr;
  } else {
    target->_more.reset();
  }
  // Last, so that a target held by a curve is re-sorted and re-read there.
  target->SetTime(target->_curve, _time);
  return TRUE;
}

CKey::More& CKey::MakeMore() {
  if (!_more) _more = std::make_unique<More>();
  return *_more;
}

void CKey::Changed(Change change) {
  if (_curve) _curve->RefreshShape(this, change);
}

void CKey::SetTime(CCurve*, const BaseTime& time) {
  // The curve that holds the key re-sorts it whatever curve the caller names, so a curve's keys
  // always stay in time order.
  if (_curve)
    _curve->Resort(this, time);
  else
    _time = time;
}

void CKey::SetValue(CCurve*, Real value) {
  _value = value;
  Changed(kKeyItself);
}

const GeData& CKey::GetGeData() const {
  static const GeData kNoData;
  return _more && _more->data ? *_more->data : kNoData;
}

void CKey::SetGeData(CCurve*, const GeData& data) {
  if (_more && _more->data)
    *_more->data = data;
  else if (data.GetType() != DA_NIL)
    MakeMore().data = std::make_unique<GeData>(data);
}

void CKey::SetInterpolation(CCurve*, CINTERPOLATION interpolation) {
  const bool known = interpolation == CINTERPOLATION_SPLINE ||
                     interpolation == CINTERPOLATION_LINEAR || interpolation == CINTERPOLATION_STEP;
  DebugAssert(known);
  if (!known) return;
  _interpolation = interpolation;
  Changed(kKeyItself);
}

void CKey::SetTimeLeft(CCurve*, const BaseTime& offset) {
  if (!_more && IsUnset(offset)) return;
  More& more = MakeMore();
  more.timeLeft = offset;
  more.secondsLeft = offset.Get();
  Changed(kLeftTangent);
}

void CKey::SetTimeRight(CCurve*, const BaseTime& offset) {
  if (!_more && IsUnset(offset)) return;
  More& more = MakeMore();
  more.timeRight = offset;
  more.secondsRight = offset.Get();
  Changed(kRightTangent);
}

void CKey::SetValueLeft(CCurve*, Real offset) {
  if (!_more && IsUnset(offset)) return;
  MakeMore().valueLeft = offset;
  Changed(kLeftTangent);
}

void CKey::SetValueRight(CCurve*, Real offset) {
  if (!_more && IsUnset(offset)) return;
  MakeMore().valueRight = offset;
  Changed(kRightTangent);
}

BaseDocument* CKey::GetDocument() const { return _curve ? _curve->GetDocument() : nullptr; }
