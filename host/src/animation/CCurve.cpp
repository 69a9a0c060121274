// A track's value curve: keys owned by the curve and kept sorted by time.
#include <algorithm>

#include "c4d_canimation.h"
#include "document/AtomRegistry.h"

namespace {

bool KeyEarlier(const CKey* key, const BaseTime& time) { return key->GetTime() < time; }
bool TimeEarlier(const BaseTime& time, const CKey* key) { return time < key->GetTime(); }

// Rotates the range [first, last) of an array so that middle becomes first.
template <class Array>
void RotateRange(Array& array, std::ptrdiff_t first, std::ptrdiff_t middle, std::ptrdiff_t last) {
  std::rotate(array.begin() + first, array.begin() + middle, array.begin() + last);
}

}  // namespace

const CCurve::KeyShape* CCurve::MakeShapes() const {
  std::lock_guard<std::mutex> lock(_shaping);
  if (!_shaped.load(std::memory_order_relaxed)) {
    if (!_shapes.Reserve(_keys.size())) return nullptr;
    for (size_t index = 0; index < _keys.size(); ++index) _shapes.Insert(index, ShapeAt(index));
    _shaped.store(true, std::memory_order_release);
  }
  return _shapes.data();
}

void CCurve::DropShapes() {
  _shapes.Release();
  _shaped.store(false, std::memory_order_relaxed);
}

CCurve::~CCurve() {
  Unregister();
  FlushKeys();
}

LONG CCurve::GetKeyCount() const { return static_cast<LONG>(_keys.size()); }

CKey* CCurve::GetKey(LONG index) const {
  if (index < 0 || index >= GetKeyCount()) return nullptr;
  return _keys[static_cast<size_t>(index)];
}

CKey* CCurve::AddKey(const BaseTime& time, LONG* nidx) {
  auto place = std::lower_bound(_keys.begin(), _keys.end(), time, KeyEarlier);
  if (place != _keys.end() && (*place)->GetTime() == time) {
    if (nidx) *nidx = static_cast<LONG>(place - _keys.begin());
    return *place;
  }
  CKey* key = CKey::Alloc();
  if (!key) return nullptr;
  key->_time = time;
  const size_t index = static_cast<size_t>(place - _keys.begin());
  if (!InsertAt(index, key)) {
    CKey::Free(key);
    return nullptr;
  }
  if (nidx) *nidx = static_cast<LONG>(index);
  return key;
}

Bool CCurve::InsertKey(CKey* key) {
  if (!key || key->_curve) return FALSE;
  // Copies of curves and scenes put their keys on in time order: such a key goes last, where
  // the search would place it too.
  if (_keys.empty() || !(key->_time < _keys[_keys.size() - 1]->_time))
    return InsertAt(_keys.size(), key);
  auto place = std::upper_bound(_keys.begin(), _keys.end(), key->_time, TimeEarlier);
  return InsertAt(static_cast<size_t>(place - _keys.begin()), key);
}

Bool CCurve::DelKey(LONG index) {
  CKey* key = GetKey(index);
  if (!key) return FALSE;
  EraseAt(static_cast<size_t>(index));
  CKey::Free(key);
  return TRUE;
}

void CCurve::FlushKeys() {
  for (CKey* key : _keys) {
    key->_curve = nullptr;
    CKey::Free(key);
  }
  _keys.Release();
  DropShapes();
}

LONG CCurve::SearchIndex(const CKey* key) {
  if (!key) return -1;
  // Keys of equal time sit together; look among them only.
  auto first = std::lower_bound(_keys.begin(), _keys.end(), key->_time, KeyEarlier);
  for (auto at = first; at != _keys.end() && (*at)->_time == key->_time; ++at) {
    if (*at == key) {
      _lastIndexed = static_cast<size_t>(at - _keys.begin());
      return static_cast<LONG>(_lastIndexed);
    }
  }
  return -1;
}

void CCurve::Detach(CKey* key) {
  const LONG index = IndexOf(key);
  if (index >= 0) EraseAt(static_cast<size_t>(index));
  key->_curve = nullptr;
}

Bool CCurve::InsertAt(size_t index, CKey* key) {
  if (!_keys.Insert(index, key)) return FALSE;
  key->_curve = this;
  // Without memory for the shape the curve evaluates from its keys until the shapes are made
  // again.
  if (_shaped.load(std::memory_order_relaxed)) {
    if (_shapes.Insert(index, ShapeAt(index)))
      RefreshShapesAround(index);
    else
      DropShapes();
  }
  return TRUE;
}

void CCurve::EraseAt(size_t index) {
  _keys[index]->_curve = nullptr;
  _keys.Erase(index);
  if (!_shaped.load(std::memory_order_relaxed)) return;
  _shapes.Erase(index);
  RefreshShapesAround(index);
}

void CCurve::RefreshShape(const CKey* key, CKey::Change change) {
  if (!_shaped.load(std::memory_order_relaxed)) return;
  const LONG found = IndexOf(key);
  if (found < 0) return;
  const size_t index = static_cast<size_t>(found);
  switch (change) {
    case CKey::kLeftTangent:
      if (index > 0) RefreshHandles(index - 1);
      break;
    case CKey::kRightTangent:
      RefreshHandles(index);
      break;
    case CKey::kKeyItself:
      RefreshShapesAround(index);
      break;
  }
}

// A key's segment depends on the next key too: the shapes of the keys at index - 1 and index.
void CCurve::RefreshShapesAround(size_t index) {
  if (!_shaped.load(std::memory_order_relaxed)) return;
  if (index > 0 && index - 1 < _shapes.size()) _shapes[index - 1] = ShapeAt(index - 1);
  if (index < _shapes.size()) _shapes[index] = ShapeAt(index);
}

void CCurve::RefreshHandles(size_t index) {
  if (index + 1 >= _shapes.size()) return;
  const KeyShape& next = _shapes[index + 1];
  FitHandles(index, next.time, next.value, _shapes[index]);
}

void CCurve::Resort(CKey* key, const BaseTime& time) {
  const LONG index = IndexOf(key);
  key->_time = time;
  if (index < 0) return;
  const bool shaped = _shaped.load(std::memory_order_relaxed);
  // The other keys stay sorted: the key moves past later keys that are earlier than its new time,
  // or before earlier keys that are later, so keys of equal time keep their order.
  const auto rotate = [&](std::ptrdiff_t first, std::ptrdiff_t middle, std::ptrdiff_t last) {
    RotateRange(_keys, first, middle, last);
    if (shaped) RotateRange(_shapes, first, middle, last);
  };
  CKey** const at = _keys.begin() + index;
  CKey** target = std::lower_bound(at + 1, _keys.end(), time, KeyEarlier);
  std::ptrdiff_t placed = index;
  if (target != at + 1) {
    rotate(index, index + 1, target - _keys.begin());
    placed = target - _keys.begin() - 1;
  } else if (target = std::upper_bound(_keys.begin(), at, time, TimeEarlier); target != at) {
    rotate(target - _keys.begin(), index, index + 1);
    placed = target - _keys.begin();
  }
  // The segments changed where the key left and where it arrived.
  RefreshShapesAround(static_cast<size_t>(index));
  RefreshShapesAround(static_cast<size_t>(placed));
}

BaseDocument* CCurve::GetDocument() const { return _track ? _track->GetDocument() : nullptr; }

C4DAtom* CCurve::GetClone(LONG flags, AliasTrans* trn) const {
  CCurve* copy = gNew CCurve;
  if (copy && !CopyTo(copy, flags, trn)) {
    delete copy;
    copy = nullptr;
  }
  return copy;
}

Bool CCurve::CopyTo(C4DAtom* dst, LONG, AliasTrans*) const {
  auto* target = dynamic_cast<CCurve*>(dst);
  if (!target || target == this) return FALSE;
  CopyBaseTo(target);
  target->FlushKeys();
  if (!target->_keys.Reserve(_keys.size())) return FALSE;
  for (const CKey* key : _keys) {
    CKey* copy = key->GetClone();
    if (!copy || !target->InsertKey(copy)) {
      CKey::Free(copy);
      return FALSE;
    }
  }
  target->SetKeyDirty();
  return TRUE;
}
