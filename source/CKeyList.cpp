#include "CKeyList.h"

#include "CCurveList.h"

namespace {

CTrack* AsTrack(BaseList2D* element) { return dynamic_cast<CTrack*>(element); }

CCurve* AsCurve(BaseList2D* element) { return dynamic_cast<CCurve*>(element); }

// A detached copy of key carrying its time as set on curve; null when it cannot be made.
CKey* CloneFor(CCurve* curve, const CKey* key) {
  CKey* clone = key ? key->GetClone(COPYFLAGS_0, nullptr) : nullptr;
  if (clone) clone->SetTime(curve, key->GetTime());
  return clone;
}

// Puts copies of count keys, read by keyAt, on curve. FALSE at the first key that cannot be
// copied or inserted: a copy missing keys must never pass for a whole one.
template <typename KeyAt>
Bool CloneKeysOnto(CCurve* curve, VLONG count, KeyAt keyAt) {
  for (VLONG i = 0; i < count; ++i) {
    CKey* clone = CloneFor(curve, keyAt(i));
    if (!clone) return FALSE;
    if (!curve->InsertKey(clone)) {
      CKey::Free(clone);
      return FALSE;
    }
  }
  return TRUE;
}

// The track's own value curve, never created here.
CCurve* FetchCurve(CTrack* track) {
  return track ? track->GetCurve(CC_CURVE_CURVE, FALSE) : nullptr;
}

// "Object.Track", or "Object.Tag.Track" for a track on a tag.
String TrackDisplayName(CTrack* track) {
  BaseList2D* owner = track->GetObject();
  if (!owner) return track->GetName();
  String name = owner->GetName() + "." + track->GetName();
  if (!owner->IsInstanceOf(Tbase)) return name;
  BaseObject* object = static_cast<BaseTag*>(owner)->GetObject();
  return object ? object->GetName() + "." + name : name;
}

}  // namespace

CKeyList::CKeyList() = default;

CKeyList::~CKeyList() { FlushKeys(); }

void CKeyList::FlushKeys() {
  for (VLONG i = 0; i < GetCount(); ++i) CKey::Free((*this)[i]);
  Free();
}

void CKeyList::SetBaseDocument(BaseDocument* doc) {
  if (_doclink) _doclink->SetLink(doc);
}

BaseDocument* CKeyList::GetBaseDocument() const {
  DebugAssert(_doclink);
  if (!_doclink) return nullptr;
  return dynamic_cast<BaseDocument*>(_doclink->ForceGetLink());
}

void CKeyList::SetTrack(CTrack* track) {
  if (_tracklink) _tracklink->SetLink(track);
}

CTrack* CKeyList::GetTrack() const {
  DebugAssert(_tracklink);
  BaseDocument* doc = GetBaseDocument();
  if (!doc || !_tracklink) return nullptr;
  return AsTrack(_tracklink->GetLink(doc, 0));
}

void CKeyList::SetCurve(CCurve* curve) {
  if (_curvelink) _curvelink->SetLink(curve);
}

CCurve* CKeyList::GetCurve() const {
  DebugAssert(_curvelink);
  BaseDocument* doc = GetBaseDocument();
  if (!doc || !_curvelink) return nullptr;
  return AsCurve(_curvelink->GetLink(doc, 0));
}

Bool CKeyList::SaveTrack(BaseDocument* doc, CTrack* track, TreeListNode* parent) {
  CCurve* curve = FetchCurve(track);
  SetTrack(track);
  SetCurve(curve);
  SetBaseDocument(doc);
  if (!doc || !track || !curve || !parent) return FALSE;
  const LONG category = track->GetTrackCategory();
  if (category != CTRACK_CATEGORY_VALUE && category != CTRACK_CATEGORY_DATA) return FALSE;
  TreeListNode* node = MakeTreeNode(track, curve->GetKeyCount());
  if (!node || !TakeSnapshot(curve)) {
    delete node;
    ClearLinks();  // without a snapshot a restore would empty the curve
    return FALSE;
  }
  node->AddObj(&parent->_children);
  return TRUE;
}

Bool CKeyList::TakeSnapshot(CCurve* curve) {
  FlushKeys();
  const LONG keyCount = curve->GetKeyCount();
  for (LONG i = 0; i < keyCount; ++i) {
    CKey* clone = CloneFor(curve, curve->GetKey(i));
    if (!clone) break;
    if (!Push(clone)) {
      CKey::Free(clone);
      break;
    }
  }
  if (GetCount() == keyCount) return TRUE;
  FlushKeys();
  return FALSE;
}

TreeListNode* CKeyList::MakeTreeNode(CTrack* track, LONG keyCount) {
  TreeListNode* node = gNew TreeListNode;
  if (!node) return nullptr;
  node->_name = TrackDisplayName(track);
  node->_subdata = GetCTrackSubData(track);
  node->_doclink = _doclink;
  node->_tracklink = _tracklink;
  node->_keylist = this;
  node->_percent = &_percent;
  node->_text = &_text;
  node->_keycount = keyCount;
  node->_newcount = &_newcount;
  node->_status = &_status;
  return node;
}

void CKeyList::ClearLinks() {
  SetTrack(nullptr);
  SetCurve(nullptr);
  SetBaseDocument(nullptr);
}

Bool CKeyList::RestoreTrack(ProgressCallback, void*) {
  CCurve* curve = GetCurve();
  CTrack* track = GetTrack();
  if (!curve || !track) return FALSE;
  if (!GetCTrackSubData(track).active) return TRUE;
  curve->FlushKeys();
  const Bool whole = PutSnapshotOn(curve);
  curve->SetKeyDirty();
  ClearResults();
  return whole;
}

Bool CKeyList::PutSnapshotOn(CCurve* curve) const {
  return CloneKeysOnto(curve, GetCount(), [this](VLONG i) { return (*this)[i]; });
}

Bool CKeyList::CopyTrack(CTrack* target) {
  CCurve* targetCurve = FetchCurve(target);
  if (!targetCurve) return FALSE;
  CCurve* curve = GetCurve();
  CTrack* track = GetTrack();
  if (!curve || !track) return FALSE;
  if (!GetCTrackSubData(track).active || curve == targetCurve) return TRUE;
  targetCurve->FlushKeys();
  const Bool whole = CloneKeysOnto(targetCurve, curve->GetKeyCount(),
                                   [curve](VLONG i) { return curve->GetKey(LONG(i)); });
  targetCurve->SetKeyDirty();
  return whole;
}

Bool CKeyList::CopyTrackSubData(CTrack* target) {
  CTrack* track = GetTrack();
  if (!target || !track) return FALSE;
  return SetCTrackSubData(target, GetCTrackSubData(track));
}

Bool CKeyList::SetPercentField(LONG percent) {
  std::lock_guard<std::mutex> lock(_resultlock);
  _percent = percent;
  return TRUE;
}

Bool CKeyList::SetTextField(const String& text) {
  std::lock_guard<std::mutex> lock(_resultlock);
  _text = text;
  return TRUE;
}

void CKeyList::SetThreadResult(ThreadResult result) {
  std::lock_guard<std::mutex> lock(_resultlock);
  _threadresult = result;
}

ThreadResult CKeyList::GetThreadResult() const {
  std::lock_guard<std::mutex> lock(_resultlock);
  return _threadresult;
}

LONG CKeyList::GetPercentField() const {
  std::lock_guard<std::mutex> lock(_resultlock);
  return _percent;
}

String CKeyList::GetTextField() const {
  std::lock_guard<std::mutex> lock(_resultlock);
  return _text;
}

LONG CKeyList::GetNewCountField() const {
  std::lock_guard<std::mutex> lock(_resultlock);
  return _newcount;
}

LONG CKeyList::GetStatusField() const {
  std::lock_guard<std::mutex> lock(_resultlock);
  return _status;
}

void CKeyList::SetStatusField(LONG status) {
  std::lock_guard<std::mutex> lock(_resultlock);
  _status = status;
}

void CKeyList::SetNewCountField(LONG newCount) {
  std::lock_guard<std::mutex> lock(_resultlock);
  _newcount = newCount;
}

void CKeyList::SetTextFromResource(LONG stringId) { SetTextField(GeLoadString(stringId)); }

void CKeyList::ClearResults() {
  std::lock_guard<std::mutex> lock(_resultlock);
  _newcount = 0;
  _percent = 0;
  _text = String();
  _status = KEYSTATUS_NONE;
}
