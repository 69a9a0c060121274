// Animation tracks: one animated parameter of an element, with its value curve.
#include <numbers>

#include "document/AtomRegistry.h"
#include "c4d_canimation.h"

Bool DescID::operator==(const DescID& o) const {
  if (_depth != o._depth) return FALSE;
  for (LONG level = 0; level < _depth; ++level)
    if (_ids[level] != o._ids[level]) return FALSE;
  return TRUE;
}

Bool DescID::operator<(const DescID& o) const {
  for (LONG level = 0; level < 3; ++level)
    if ((*this)[level] != o[level]) return (*this)[level] < o[level];
  return _depth < o._depth;
}

CTrack* CTrack::Alloc(BaseList2D* owner, const DescID& id) {
  CTrack* track = gNew CTrack;
  if (!track) return nullptr;
  track->_owner = owner;
  track->_descId = id;
  return track;
}

void CTrack::Free(CTrack*& track) {
  if (!track) return;
  track->Remove();
  delete track;
  track = nullptr;
}

CTrack::~CTrack() {
  Unregister();
  delete _curve;
  _curve = nullptr;
}

LONG CTrack::GetUnit(Real* step) const {
  Real unitStep = 1.0;
  if (_unit == DESC_UNIT_DEGREE) unitStep = std::numbers::pi / 180.0;
  if (_unit == DESC_UNIT_PERCENT) unitStep = 0.01;
  if (step) *step = unitStep;
  return _unit;
}

CCurve* CTrack::GetCurve(LONG type, Bool create) {
  if (type != CC_CURVE_CURVE) return nullptr;
  if (!_curve && create) {
    _curve = gNew CCurve;
    if (_curve) _curve->_track = this;
  }
  return _curve;
}

void CTrack::Remove() {
  BaseList2D::Extras* list = _owner ? _owner->_extras.load(std::memory_order_acquire) : nullptr;
  const bool inserted = _pred || (list && list->firstTrack == this);
  if (inserted) {
    if (_pred)
      _pred->_next = _next;
    else
      list->firstTrack = _next;
    if (_next)
      _next->_pred = _pred;
    else
      list->lastTrack = _pred;
  }
  _next = _pred = nullptr;
  if (inserted) _owner = nullptr;
}

BaseDocument* CTrack::GetDocument() const {
  const bool inserted = _pred || (_owner && _owner->GetFirstCTrack() == this);
  return inserted ? _owner->GetDocument() : nullptr;
}

C4DAtom* CTrack::GetClone(LONG flags, AliasTrans* trn) const {
  CTrack* copy = gNew CTrack;
  if (copy && !CopyTo(copy, flags, trn)) Free(copy);
  return copy;
}

Bool CTrack::CopyTo(C4DAtom* dst, LONG flags, AliasTrans* trn) const {
  auto* target = dynamic_cast<CTrack*>(dst);
  if (!target || target == this) return FALSE;
  CopyBaseTo(target);
  target->_descId = _descId;
  target->_category = _category;
  target->_unit = _unit;
  if (!_curve) {
    delete target->_curve;
    target->_curve = nullptr;
    return TRUE;
  }
  CCurve* targetCurve = target->GetCurve(CC_CURVE_CURVE, TRUE);
  return targetCurve && _curve->CopyTo(targetCurve, flags, trn);
}
