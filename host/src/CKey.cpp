// Keys of a curve: time, value or data, interpolation and tangents.
#include <atomic>

#include "c4d_canimation.h"
#include "c4d_debug.h"
#include "c4d_standin.h"

namespace {

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
  target->_data = _data;
  target->_interpolation = _interpolation;
  target->_timeLeft = _timeLeft;
  target->_timeRight = _timeRight;
  target->_valueLeft = _valueLeft;
  target->_valueRight = _valueRight;
  // Last, so that a target held by a curve is re-sorted and re-read there.
  target->SetTime(target->_curve, _time);
  return TRUE;
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
  if (_curve) _curve->RefreshShape(this);
}

void CKey::SetGeData(CCurve*, const GeData& data) { _data = data; }

void CKey::SetInterpolation(CCurve*, CINTERPOLATION interpolation) {
  const bool known = interpolation == CINTERPOLATION_SPLINE ||
                     interpolation == CINTERPOLATION_LINEAR || interpolation == CINTERPOLATION_STEP;
  DebugAssert(known);
  if (!known) return;
  _interpolation = interpolation;
  if (_curve) _curve->RefreshShape(this);
}

void CKey::SetTimeLeft(CCurve*, const BaseTime& offset) {
  _timeLeft = offset;
  if (_curve) _curve->RefreshShape(this);
}

void CKey::SetTimeRight(CCurve*, const BaseTime& offset) {
  _timeRight = offset;
  if (_curve) _curve->RefreshShape(this);
}

void CKey::SetValueLeft(CCurve*, Real offset) {
  _valueLeft = offset;
  if (_curve) _curve->RefreshShape(this);
}

void CKey::SetValueRight(CCurve*, Real offset) {
  _valueRight = offset;
  if (_curve) _curve->RefreshShape(this);
}

BaseDocument* CKey::GetDocument() const { return _curve ? _curve->GetDocument() : nullptr; }
