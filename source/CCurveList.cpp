#include "CCurveList.h"

#include "CIconPicker.h"
#include "CTrackList.h"

namespace {

// Strip icon of each status code: none, unchanged, reduced, failed, busy.
constexpr GlobalIcon kStatusIcons[TREELIST_ICON_COUNT] = {
    GLOBALICON_STATUS_NONE, GLOBALICON_STATUS_UNCHANGED, GLOBALICON_STATUS_REDUCED,
    GLOBALICON_STATUS_FAILED, GLOBALICON_STATUS_BUSY};

using GatherFunction = GeDynamicArray<CTrack*>* (*)(BaseDocument*);

VLONG Smaller(VLONG a, VLONG b) { return a < b ? a : b; }

}  // namespace

CTrack* TreeListNode::GetTrack() const {
  if (!_doclink || !_tracklink) return nullptr;
  BaseDocument* doc = dynamic_cast<BaseDocument*>(_doclink->ForceGetLink());
  if (!doc) return nullptr;
  return dynamic_cast<CTrack*>(_tracklink->GetLink(doc, 0));
}

BaseList2D* TreeListNode::GetBaseList2D() const {
  CTrack* track = GetTrack();
  return track ? track->GetObject() : nullptr;
}

LONG TreeListNode::GetPercent() const { return _keylist ? _keylist->GetPercentField() : 0; }

String TreeListNode::GetText() const { return _keylist ? _keylist->GetTextField() : String(); }

LONG TreeListNode::GetNewCount() const { return _keylist ? _keylist->GetNewCountField() : 0; }

LONG TreeListNode::GetStatus() const {
  return _keylist ? _keylist->GetStatusField() : KEYSTATUS_NONE;
}

TreeListData::TreeListData() {
  for (int s = 0; s < TREELIST_ICON_COUNT; ++s) _icons[s] = GetGlobalIcon(kStatusIcons[s]);
}

TreeListData::~TreeListData() {
  Free();
  for (BaseBitmap*& icon : _icons) BaseBitmap::Free(icon);
}

CLinkList::~CLinkList() { FreeItems(); }

Bool CLinkList::LinkCurveList(BaseDocument* doc, GeDynamicArray<CTrack*>* tracks) {
  if (_doclink) _doclink->SetLink(doc);
  FreeItems();
  for (VLONG i = 0; tracks && i < tracks->GetCount(); ++i) {
    CTrack* track = (*tracks)[i];
    BaseLink* link = track ? BaseLink::Alloc() : nullptr;
    if (link) link->SetLink(track);
    if (!_links.Push(link)) BaseLink::Free(link);
  }
  return TRUE;
}

GeDynamicArray<CTrack*>* CLinkList::UnlinkCurveList() {
  BaseDocument* doc = GetDocument();
  if (!doc) return nullptr;
  GeDynamicArray<CTrack*>* tracks = gNew GeDynamicArray<CTrack*>;
  if (!tracks) return nullptr;
  for (VLONG i = 0; i < _links.GetCount(); ++i) {
    BaseLink* link = _links[i];
    CTrack* track = link ? dynamic_cast<CTrack*>(link->GetLink(doc, 0)) : nullptr;
    if (!tracks->Push(track)) {
      delete tracks;
      return nullptr;
    }
  }
  return tracks;
}

void CLinkList::FreeItems() {
  for (VLONG i = 0; i < _links.GetCount(); ++i) BaseLink::Free(_links[i]);
  _links.Free();
}

BaseDocument* CLinkList::GetDocument() const {
  if (!_doclink) return nullptr;
  return dynamic_cast<BaseDocument*>(_doclink->ForceGetLink());
}

CCurveList::CCurveList() : _linklist(gNew CLinkList) {}

CCurveList::~CCurveList() {
  FreeItems();
  delete _linklist;
}

void CCurveList::FreeItems() {
  DeleteKeyLists();
  _listroot._children.FreeList(TRUE);
  _listargs.Free();
  if (_linklist) _linklist->FreeItems();
  if (_workdoc) BaseDocument::Free(_workdoc);
}

void CCurveList::DeleteKeyLists() {
  for (VLONG i = 0; i < GetCount(); ++i) delete (*this)[i];
  Free();
}

// An empty working set that links no document either.
void CCurveList::Clear() {
  FreeItems();
  if (_linklist) _linklist->LinkCurveList(nullptr, nullptr);
}

Bool CCurveList::SaveTracks(BaseDocument* doc, int selectedOnly) {
  FreeItems();
  const GatherFunction gather =
      selectedOnly ? PickSelectedCTracksFromTimeline : PickCTracksFromTimeline;
  GeDynamicArray<CTrack*>* userTracks = gather(doc);
  if (!userTracks) {
    Clear();
    return FALSE;
  }
  if (_linklist) _linklist->LinkCurveList(doc, userTracks);
  const VLONG userCount = userTracks->GetCount();
  delete userTracks;
  _workdoc = dynamic_cast<BaseDocument*>(doc->GetClone(COPYFLAGS_0, nullptr));
  GeDynamicArray<CTrack*>* workTracks = _workdoc ? gather(_workdoc) : nullptr;
  if (!workTracks) {
    Clear();
    return FALSE;
  }
  SaveKeyLists(workTracks, Smaller(userCount, workTracks->GetCount()));
  delete workTracks;
  return TRUE;
}

// Key lists for the first pairCount working tracks, so that entry i keeps matching link i.
void CCurveList::SaveKeyLists(GeDynamicArray<CTrack*>* workTracks, VLONG pairCount) {
  for (VLONG i = 0; i < pairCount; ++i) {
    CTrack* track = (*workTracks)[i];
    if (!track) continue;
    CKeyList* keyList = gNew CKeyList;
    if (!keyList) continue;
    keyList->SaveTrack(_workdoc, track, &_listroot);
    if (!Push(keyList)) delete keyList;
  }
}

Bool CCurveList::CopyTracks(int copyAll) {
  if (!_linklist) return FALSE;
  GeDynamicArray<CTrack*>* dlist = _linklist->UnlinkCurveList();
  if (!dlist) return FALSE;
  DebugAssert(dlist->GetCount() == this->GetCount());
  const VLONG count = Smaller(dlist->GetCount(), GetCount());
  Bool whole = TRUE;
  for (VLONG i = 0; i < count; ++i) {
    CKeyList* keyList = (*this)[i];
    if (!keyList) continue;
    if (copyAll != 1 && keyList->GetThreadResult() != THREADRESULT_OK) continue;
    // A track the user deleted meanwhile is skipped; any other copy must arrive whole.
    CTrack* target = (*dlist)[i];
    if (target && !keyList->CopyTrack(target)) whole = FALSE;
  }
  delete dlist;
  return whole;
}

Bool CCurveList::CopyTrackSubData() {
  if (!_linklist) return FALSE;
  GeDynamicArray<CTrack*>* dlist = _linklist->UnlinkCurveList();
  if (!dlist) return FALSE;
  DebugAssert(dlist->GetCount() == this->GetCount());
  const VLONG count = Smaller(dlist->GetCount(), GetCount());
  for (VLONG i = 0; i < count; ++i) {
    CKeyList* keyList = (*this)[i];
    if (keyList) keyList->CopyTrackSubData((*dlist)[i]);
  }
  delete dlist;
  if (BaseDocument* doc = GetSourceDocument()) doc->SetChanged();
  return TRUE;
}

Bool CCurveList::RestoreTracks(ProgressCallback callback, void* cookie) {
  Bool whole = TRUE;
  for (VLONG i = 0; i < GetCount(); ++i) {
    CKeyList* keyList = (*this)[i];
    if (keyList && !keyList->RestoreTrack(callback, cookie)) whole = FALSE;
  }
  return CopyTracks(1) && whole;
}

BaseDocument* CCurveList::GetSourceDocument() const {
  return _linklist ? _linklist->GetDocument() : nullptr;
}

CTrack* CCurveList::GetTrack(TreeListNode* node) const { return node ? node->GetTrack() : nullptr; }

TreeListNode* CCurveList::GetTreeListNode(CTrack* track) {
  if (!track) return nullptr;
  for (CTreeListObj* obj = _listroot._children.GetFirst(); obj; obj = obj->GetNext()) {
    TreeListNode* node = static_cast<TreeListNode*>(obj);
    if (node->GetTrack() == track) return node;
  }
  return nullptr;
}
