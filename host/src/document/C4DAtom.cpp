// Atoms count themselves for their whole life and register when first linked, so links can tell
// live atoms from freed ones.
#include "document/AtomRegistry.h"
#include "c4d_basedocument.h"

C4DAtom::C4DAtom(LONG type) : _type(type) { atomregistry::CountMade(); }

C4DAtom::~C4DAtom() {
  Unregister();
  atomregistry::CountGone();
}

LLONG C4DAtom::GetAtomId() const {
  const LLONG atomId = atomregistry::Register(this);
  _registered.store(true, std::memory_order_release);
  return atomId;
}

void C4DAtom::Unregister() {
  if (_registered.exchange(false, std::memory_order_acq_rel)) atomregistry::Unregister(this);
}

Bool C4DAtom::IsInstanceOf(LONG id) const {
  if (id == _type) return TRUE;
  switch (id) {
    case Obase:
      return dynamic_cast<const BaseObject*>(this) != nullptr;
    case Tbase:
      return dynamic_cast<const BaseTag*>(this) != nullptr;
    case Mbase:
      return dynamic_cast<const BaseMaterial*>(this) != nullptr;
    default:
      return FALSE;
  }
}
