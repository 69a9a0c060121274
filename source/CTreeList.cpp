#include "CTreeList.h"

CTreeListObj::~CTreeListObj() {
  if (_up) _up->RemObj(this, FALSE);
  _next = nullptr;
  _prev = nullptr;
  _up = nullptr;
}

Bool CTreeListObj::AddObj(CTreeListHeader* head) { return head->AddObj(this); }

Bool CTreeListObj::RemObj(CTreeListHeader* head, int free) { return head->RemObj(this, free); }

CTreeListHeader::~CTreeListHeader() { FreeList(FALSE); }

Bool CTreeListHeader::AddObj(CTreeListObj* obj) {
  if (_last) _last->_next = obj;
  obj->_up = this;
  obj->_prev = _last;
  _last = obj;
  if (!_first) _first = obj;
  return TRUE;
}

Bool CTreeListHeader::RemObj(CTreeListObj* obj, int free) {
  if (obj->_prev) obj->_prev->_next = obj->_next;
  if (obj->_next) obj->_next->_prev = obj->_prev;
  if (obj == _first) _first = obj->_next;
  if (obj == _last) _last = obj->_prev;
  obj->_next = nullptr;
  obj->_prev = nullptr;
  obj->_up = nullptr;
  if (free) delete obj;
  return TRUE;
}

Bool CTreeListHeader::FreeList(int free) {
  while (_first) RemObj(_first, free);
  return TRUE;
}

LONG CTreeListHeader::GetCount() const {
  LONG count = 0;
  for (const CTreeListObj* obj = _first; obj; obj = obj->_next) ++count;
  return count;
}
