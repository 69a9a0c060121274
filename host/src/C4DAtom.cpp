// Atoms register themselves for their whole life, so links can tell live atoms from freed ones.
#include "AtomRegistry.h"
#include "c4d_basedocument.h"

C4DAtom::C4DAtom(LONG type) : _type(type), _atomId(atomregistry::Register(this)) {}

C4DAtom::~C4DAtom() { atomregistry::Unregister(_atomId); }

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
