// Tags: elements carried by an object.
#include "document/AtomRegistry.h"
#include "c4d_basedocument.h"

BaseTag* BaseTag::Alloc(LONG type) { return gNew BaseTag(type); }

void BaseTag::Free(BaseTag*& tag) {
  if (!tag) return;
  tag->Remove();
  delete tag;
  tag = nullptr;
}

BaseTag::~BaseTag() {
  Unregister();
  FreeTracks();
}

void BaseTag::Remove() {
  if (_pred)
    _pred->_next = _next;
  else if (_object && _object->_firstTag == this)
    _object->_firstTag = _next;
  if (_next) _next->_pred = _pred;
  _next = _pred = nullptr;
  _object = nullptr;
}

BaseDocument* BaseTag::GetDocument() const { return _object ? _object->GetDocument() : nullptr; }

C4DAtom* BaseTag::GetClone(LONG flags, AliasTrans* trn) const {
  BaseTag* copy = Alloc(GetType());
  if (copy && !CopyTo(copy, flags, trn)) Free(copy);
  return copy;
}

Bool BaseTag::CopyTo(C4DAtom* dst, LONG, AliasTrans*) const {
  auto* target = dynamic_cast<BaseTag*>(dst);
  if (!target || target == this) return FALSE;
  CopyBaseTo(target);
  return TRUE;
}
