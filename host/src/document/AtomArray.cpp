// A plain list of atom pointers, filled by the document's selection queries.
#include "c4d_baselist.h"

AtomArray* AtomArray::Alloc() { return gNew AtomArray; }

void AtomArray::Free(AtomArray*& array) { gDelete(array); }

C4DAtom* AtomArray::GetIndex(LONG index) const {
  if (index < 0 || index >= GetCount()) return nullptr;
  return _atoms[static_cast<size_t>(index)];
}

Bool AtomArray::Append(C4DAtom* atom) {
  if (!atom) return FALSE;
  try {
    _atoms.push_back(atom);
  } catch (...) {
    return FALSE;
  }
  return TRUE;
}
