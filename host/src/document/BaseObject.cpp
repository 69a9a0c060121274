// Objects: a tree of elements with tags, held by a document.
#include "document/AtomRegistry.h"
#include "document/ListSteps.h"
#include "c4d_basedocument.h"
#include "c4d_debug.h"

BaseObject* BaseObject::Alloc(LONG type) { return gNew BaseObject(type); }

void BaseObject::Free(BaseObject*& object) {
  if (!object) return;
  object->Remove();
  delete object;
  object = nullptr;
}

BaseObject::~BaseObject() {
  // Unregistered first, so that no link resolves to an object that is half torn down.
  Unregister();
  while (_firstTag) {
    BaseTag* tag = _firstTag;
    BaseTag::Free(tag);
  }
  while (_down) {
    BaseObject* child = _down;
    Free(child);
  }
  FreeTracks();
}

namespace {

bool IsInSubtreeOf(const BaseObject* candidate, const BaseObject* root) {
  for (const BaseObject* at = candidate; at; at = at->GetUp())
    if (at == root) return true;
  return false;
}

}  // namespace

void BaseObject::InsertUnderLast(BaseObject* parent) {
  DebugAssert(parent != nullptr);
  if (!parent || IsInSubtreeOf(parent, this)) return;
  Remove();
  BaseObject* last = parent->_down;
  LLONG steps = 0;
  for (; last && last->_next; ++steps) last = last->_next;
  CountListSteps(steps);
  _up = parent;
  _pred = last;
  if (last)
    last->_next = this;
  else
    parent->_down = this;
}

void BaseObject::InsertTag(BaseTag* tag, BaseTag* pred) {
  DebugAssert(tag != nullptr);
  if (!tag) return;
  tag->Remove();
  if (pred && pred->_object != this) pred = nullptr;
  tag->_object = this;
  tag->_pred = pred;
  tag->_next = pred ? pred->_next : _firstTag;
  if (tag->_next) tag->_next->_pred = tag;
  if (pred)
    pred->_next = tag;
  else
    _firstTag = tag;
}

void BaseObject::Remove() {
  if (_pred) {
    _pred->_next = _next;
  } else if (_up) {
    _up->_down = _next;
  } else if (_doc && _doc->_firstObject == this) {
    _doc->_firstObject = _next;
  }
  if (_next) _next->_pred = _pred;
  _next = _pred = _up = nullptr;
  _doc = nullptr;
}

BaseDocument* BaseObject::GetDocument() const {
  const BaseObject* top = this;
  while (top->_up) top = top->_up;
  return top->_doc;
}

C4DAtom* BaseObject::GetClone(LONG flags, AliasTrans* trn) const {
  BaseObject* copy = Alloc(GetType());
  if (copy && !CopyTo(copy, flags, trn)) Free(copy);
  return copy;
}

Bool BaseObject::CopyTo(C4DAtom* dst, LONG flags, AliasTrans* trn) const {
  auto* target = dynamic_cast<BaseObject*>(dst);
  if (!target || IsInSubtreeOf(this, target) || IsInSubtreeOf(target, this)) return FALSE;
  while (target->_firstTag) {
    BaseTag* tag = target->_firstTag;
    BaseTag::Free(tag);
  }
  while (target->_down) {
    BaseObject* child = target->_down;
    Free(child);
  }
  CopyBaseTo(target);
  BaseTag* lastTag = nullptr;
  for (const BaseTag* tag = _firstTag; tag; tag = tag->GetNext()) {
    auto* tagCopy = static_cast<BaseTag*>(tag->GetClone(flags, trn));
    if (!tagCopy) return FALSE;
    target->InsertTag(tagCopy, lastTag);
    lastTag = tagCopy;
  }
  // Each copy goes after the last one, without a walk over the children copied before it.
  BaseObject* lastChild = nullptr;
  for (const BaseObject* child = _down; child; child = child->_next) {
    auto* childCopy = static_cast<BaseObject*>(child->GetClone(flags, trn));
    if (!childCopy) return FALSE;
    childCopy->_up = target;
    childCopy->_pred = lastChild;
    (lastChild ? lastChild->_next : target->_down) = childCopy;
    lastChild = childCopy;
  }
  return TRUE;
}
