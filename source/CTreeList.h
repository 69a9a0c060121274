// A minimal intrusive doubly linked list: elements derive from CTreeListObj, a CTreeListHeader
// holds the first and last element. A head owns its elements only when asked to free them.
#ifndef CTREELIST_H
#define CTREELIST_H

#include "c4d.h"

class CTreeListHeader;

class CTreeListObj {
 public:
  CTreeListObj() = default;
  // Unlinks the element from the list that holds it, without deleting anything else.
  virtual ~CTreeListObj();
  CTreeListObj(const CTreeListObj&) = delete;
  CTreeListObj& operator=(const CTreeListObj&) = delete;

  // Appends this element to head; the element must not be in a list. Always TRUE.
  Bool AddObj(CTreeListHeader* head);
  // Unlinks this element from head and deletes it when free is non-zero. Always TRUE.
  Bool RemObj(CTreeListHeader* head, int free);

  CTreeListObj* GetNext() const { return _next; }
  CTreeListObj* GetPrev() const { return _prev; }
  CTreeListHeader* GetUp() const { return _up; }

 private:
  friend class CTreeListHeader;
  CTreeListObj* _next = nullptr;
  CTreeListObj* _prev = nullptr;
  CTreeListHeader* _up = nullptr;
};

class CTreeListHeader {
 public:
  CTreeListHeader() = default;
  // Unlinks every element without deleting it.
  ~CTreeListHeader();
  CTreeListHeader(const CTreeListHeader&) = delete;
  CTreeListHeader& operator=(const CTreeListHeader&) = delete;

  // Appends obj at the end; obj must not be in any list. Always TRUE.
  Bool AddObj(CTreeListObj* obj);
  // Unlinks obj, which must be an element of this list, and deletes it when free is non-zero.
  // Always TRUE.
  Bool RemObj(CTreeListObj* obj, int free);
  // Removes every element, deleting each when free is non-zero. Always TRUE.
  Bool FreeList(int free);

  CTreeListObj* GetFirst() const { return _first; }
  // Number of elements, counted by walking the list.
  LONG GetCount() const;

 private:
  CTreeListObj* _first = nullptr;
  CTreeListObj* _last = nullptr;
};

#endif
