// The live-atom registry: every atom is findable by its id while it lives, so links resolve to
// null once their atom is gone. Safe to use from several threads.
#ifndef HOST_ATOMREGISTRY_H
#define HOST_ATOMREGISTRY_H

#include <shared_mutex>

#include "c4d_baselist.h"

namespace atomregistry {

// Registers a new atom and returns its id (never 0).
LLONG Register(C4DAtom* atom);
// Forgets the atom with this id; unknown ids are ignored.
void Unregister(LLONG atomId);
// The live atom with this id, or null. The caller must hold ReadLock() while it uses the atom
// to be sure that no other thread frees it meanwhile.
C4DAtom* Find(LLONG atomId);
// A shared lock on the registry; atoms cannot be unregistered while it is held.
std::shared_lock<std::shared_mutex> ReadLock();
LLONG LiveCount();

}  // namespace atomregistry

#endif
