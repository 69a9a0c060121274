// The live-atom registry: every atom that was asked for its id is findable by it while it lives,
// so links resolve to null once their atom is gone. Safe to use from several threads.
#ifndef HOST_ATOMREGISTRY_H
#define HOST_ATOMREGISTRY_H

#include <shared_mutex>

#include "c4d_baselist.h"

namespace atomregistry {

// The atom's id, registering the atom under a new id (never 0) on the first call.
LLONG Register(const C4DAtom* atom);
// Forgets the atom; an atom that is not registered is ignored.
void Unregister(const C4DAtom* atom);
// The live atom with this id, or null. The caller must hold ReadLock() while it uses the atom
// to be sure that no other thread frees it meanwhile.
C4DAtom* Find(LLONG atomId);
// A shared lock on the registry; atoms cannot be unregistered while it is held.
std::shared_lock<std::shared_mutex> ReadLock();
// Every atom counts from its construction to its destruction, registered or not.
void CountMade();
void CountGone();
LLONG LiveCount();

}  // namespace atomregistry

#endif
