// Materials: a flat list held by a document.
#include "document/AtomRegistry.h"
#include "c4d_basedocument.h"

BaseMaterial* BaseMaterial::Alloc(LONG type) { return gNew BaseMaterial(type); }

void BaseMaterial::Free(BaseMaterial*& material) {
  if (!material) return;
  material->Remove();
  delete material;
  material = nullptr;
}

BaseMaterial::~BaseMaterial() {
  Unregister();
  FreeTracks();
}

void BaseMaterial::Remove() {
  if (_pred)
    _pred->_next = _next;
  else if (_doc && _doc->_firstMaterial == this)
    _doc->_firstMaterial = _next;
  if (_next) _next->_pred = _pred;
  _next = _pred = nullptr;
  _doc = nullptr;
}

BaseDocument* BaseMaterial::GetDocument() const { return _doc; }

C4DAtom* BaseMaterial::GetClone(LONG flags, AliasTrans* trn) const {
  BaseMaterial* copy = Alloc(GetType());
  if (copy && !CopyTo(copy, flags, trn)) Free(copy);
  return copy;
}

Bool BaseMaterial::CopyTo(C4DAtom* dst, LONG, AliasTrans*) const {
  auto* target = dynamic_cast<BaseMaterial*>(dst);
  if (!target || target == this) return FALSE;
  CopyBaseTo(target);
  return TRUE;
}
