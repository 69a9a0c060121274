// The registry is a hash map from id to atom under a reader-writer lock: links are resolved far
// more often (on worker threads too) than atoms are made or freed.
#include "AtomRegistry.h"

#include <atomic>
#include <mutex>
#include <unordered_map>

#include "c4d_standin.h"

namespace {

struct Registry {
  std::shared_mutex mutex;
  std::unordered_map<LLONG, C4DAtom*> atoms;
  std::atomic<LLONG> nextId{1};
};

Registry& TheRegistry() {
  // Never destroyed, so atoms freed during static destruction still find it.
  static Registry* registry = new Registry;
  return *registry;
}

}  // namespace

namespace atomregistry {

LLONG Register(C4DAtom* atom) {
  Registry& registry = TheRegistry();
  const LLONG atomId = registry.nextId.fetch_add(1, std::memory_order_relaxed);
  std::unique_lock lock(registry.mutex);
  try {
    registry.atoms.emplace(atomId, atom);
  } catch (...) {
    // Out of memory: the atom lives unregistered, so links to it resolve to null.
  }
  return atomId;
}

void Unregister(LLONG atomId) {
  Registry& registry = TheRegistry();
  std::unique_lock lock(registry.mutex);
  registry.atoms.erase(atomId);
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

LLONG LiveCount() {
  Registry& registry = TheRegistry();
  std::shared_lock lock(registry.mutex);
  return static_cast<LLONG>(registry.atoms.size());
}

}  // namespace atomregistry

LLONG standin::GetLiveAtomCount() { return atomregistry::LiveCount(); }
