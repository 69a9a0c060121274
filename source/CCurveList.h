// The dialog's working set: one key list per gathered track, the track tree, a private working
// copy of the user's document on which all reductions run, and the links to the user's
// document. Entry i of the key lists and entry i of the link list denote the same track, the
// first in the working copy and the second in the user's document.
#ifndef CCURVELIST_H
#define CCURVELIST_H

#include "CKeyList.h"
#include "CTrackSubData.h"
#include "CTreeList.h"
#include "c4d.h"

// One node of the track tree; only the root has children. The links are borrowed from the key
// list. _percent, _text, _newcount and _status point into the key list (null for the root);
// they may be written by a worker at any time, so read the values with GetPercent, GetText,
// GetNewCount and GetStatus, which copy them under the key list's lock.
class TreeListNode : public CTreeListObj {
 public:
  TreeListNode() = default;
  // Unlinks the children without deleting them, then the node from its parent.
  ~TreeListNode() override = default;

  // The node's track in the working copy, or null once it or its document is gone.
  CTrack* GetTrack() const;
  // The element that carries the node's track, or null.
  BaseList2D* GetBaseList2D() const;

  // Copies of the key list's result members; 0 or empty for a node without a key list.
  LONG GetPercent() const;
  String GetText() const;
  LONG GetNewCount() const;
  LONG GetStatus() const;

  Bool _opened = FALSE;
  CTreeListHeader _children;
  String _name;
  CTrackSubData _subdata;
  BaseLink* _doclink = nullptr;
  BaseLink* _tracklink = nullptr;
  LONG* _percent = nullptr;
  String* _text = nullptr;
  LONG _keycount = 0;
  LONG* _newcount = nullptr;
  LONG* _status = nullptr;
  const CKeyList* _keylist = nullptr;  // the key list the result pointers belong to
};

// Number of status icons: one per status code of a key list.
enum { TREELIST_ICON_COUNT = 5 };

// The tree's selection (nodes in the order they were selected) and the status icons.
class TreeListData : public GeDynamicArray<TreeListNode*> {
 public:
  // Loads the status icons from the plug-in's icon strip.
  TreeListData();
  ~TreeListData();

  BaseBitmap* _icons[TREELIST_ICON_COUNT] = {};  // owned; entry s for status code s
};

// Links to the user's document and its gathered tracks, one per track in gathering order.
class CLinkList {
 public:
  CLinkList() = default;
  virtual ~CLinkList();
  CLinkList(const CLinkList&) = delete;
  CLinkList& operator=(const CLinkList&) = delete;

  // Links doc and each track of tracks (a null entry for a null track). Always TRUE.
  Bool LinkCurveList(BaseDocument* doc, GeDynamicArray<CTrack*>* tracks);
  // The linked tracks resolved in the linked document, as many entries as links (null for a
  // track that is gone); a new array that the caller deletes. Null when the document is gone.
  GeDynamicArray<CTrack*>* UnlinkCurveList();
  // Frees the track links; the document link stays.
  void FreeItems();
  // The linked document, or null.
  BaseDocument* GetDocument() const;

 private:
  GeDynamicArray<BaseLink*> _links;
  AutoAlloc<BaseLink> _doclink;
};

class CCurveList : public GeDynamicArray<CKeyList*> {
 public:
  CCurveList();
  // Releases the working set (FreeItems) and the link list.
  ~CCurveList();

  // Releases the key lists, the track nodes, the selection, the track links and the working
  // copy. Leaves an empty, usable curve list; harmless to call again.
  void FreeItems();
  // Builds the working set of doc from scratch: all tracks, or those of the selection when
  // selectedOnly is non-zero. FALSE, with the curve list left empty, when a gathering gives no
  // array or the document cannot be cloned.
  Bool SaveTracks(BaseDocument* doc, int selectedOnly);
  // Copies the working curves to the user's tracks: every key list when copyAll is 1, else
  // those whose last run succeeded; tracks the user deleted are skipped. FALSE when the user's
  // document is gone or a track could not be copied whole (the others are still copied).
  Bool CopyTracks(int copyAll);
  // Copies the working tracks' settings to the user's tracks and marks the user's document as
  // changed. FALSE when the user's document is gone.
  Bool CopyTrackSubData();
  // Puts every key list's snapshot back on the working copy, then CopyTracks(1). FALSE when a
  // snapshot or a copy could not be put back whole.
  Bool RestoreTracks(ProgressCallback callback, void* cookie);

  // The user's document, or null.
  BaseDocument* GetSourceDocument() const;
  // The node's track in the working copy; null for a null node.
  CTrack* GetTrack(TreeListNode* node) const;
  // The first track node whose track is track, or null.
  TreeListNode* GetTreeListNode(CTrack* track);
  TreeListNode* GetListRoot() { return &_listroot; }
  TreeListData* GetListArgs() { return &_listargs; }
  // The links to the user's document; null when it could not be allocated.
  CLinkList* GetLinkList() { return _linklist; }

 private:
  void DeleteKeyLists();
  void Clear();
  void SaveKeyLists(GeDynamicArray<CTrack*>* workTracks, VLONG pairCount);

  TreeListNode _listroot;
  TreeListData _listargs;
  BaseDocument* _workdoc = nullptr;
  CLinkList* _linklist = nullptr;
};

#endif
