// The registry is a pair of hash maps (id to atom, atom to id) under a reader-writer lock: links
// are resolved far more often (on worker threads too) than atoms are linked or freed.
#include "document/AtomRegistry.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

#include "c4d_standin.h"

namespace {

struct Registry {
  std::shared_mutex mutex;
  std::unordered_map<LLONG, C4DAtom*> atoms;
  std::unordered_map<const C4DAtom*, LLONG> ids;
  LLONG nextId = 1;  // under the lock
  std::atomic<LLONG> live{0};
};

Registry& TheRegistry() {
  // Never destroyed, so atoms freed during static destruction still find it.
  static Registry* registry = new Registry;
  return *registry;
}

}  // namespace

namespace atomregistry {

LLONG Register(const C4DAtom* atom) {
  Registry& registry = TheRegistry();
  {
    std::shared_lock lock(registry.mutex);
    const auto found = registry.ids.find(atom);
    if (found != registry.ids.end()) return found->second;
  }
  std::unique_lock lock(registry.mutex);
  const auto found = registry.ids.find(atom);
  if (found != registry.ids.end()) return found->second;
  const LLONG atomId = registry.nextId++;
  try {
    registry.atoms.emplace(atomId, const_cast<C4DAtom*>(atom));
    try {
      registry.ids.emplace(atom, atomId);
    } catch (...) {
      registry.atoms.erase(atomId);
    }
  } catch (...) {
    // Out of memory: the atom stays unregistered, so links to it resolve to null.
  }
  return atomId;
}

void Unregister(const C4DAtom* atom) {
  Registry& registry = TheRegistry();
  std::unique_lock lock(registry.mutex);
  const auto found = registry.ids.find(atom);
  if (found == registry.ids.end()) return;
  registry.atoms.erase(found->second);
  registry.ids.erase(found);
}

C4DAtom* Find(LLONG atomId) {
  if (atomId == 0) return nullptr;
  Registry& registry = TheRegistry();
  auto found = registry.atoms.find(atomId);
  return found == registry.atoms.end() ? nullptr : found->second;
}

std::shared_lock<std::shared_mutex> ReadLock() {
  return std::shared_lock<std::shared_mutex>(TheRegistry().mutex);
}

void CountMade() { TheRegistry().live.fetch_add(1, std::memory_order_relaxed); }
void CountGone() { TheRegistry().live.fetch_sub(1, std::memory_order_relaxed); }
LLONG LiveCount() { return TheRegistry().live.load(std::memory_order_relaxed); }

}  // namespace atomregistry

LLONG standin::GetLiveAtomCount() { return atomregistry::LiveCount(); }
