// The temporary files of writes in progress. A handler may run on any thread at any moment, so
// the paths sit in fixed storage and each slot's state is a lock-free atomic: a slot is read by
// the handler only while it holds a whole path, and freed only when no handler is reading it.
#include "TemporaryFiles.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include <atomic>
#include <cstring>
#include <filesystem>

#include "c4d_standin.h"

namespace {

using PathUnit = std::filesystem::path::value_type;
// A longest path of the system with room for a temporary file's suffix.
constexpr std::size_t kMaxPathUnits = 4096 + 16;
// A reduction writes the scene and the report at once.
constexpr int kSlotCount = 4;

enum SlotState : int { kFree, kFilling, kHeld, kRemoving };

struct Slot {
  std::atomic<int> state{kFree};
  PathUnit path[kMaxPathUnits];
};
static_assert(std::atomic<int>::is_always_lock_free, "signal handlers need lock-free slots");

Slot slots[kSlotCount];

void RemovePath(const PathUnit* path) {
#ifdef _WIN32
  ::_wunlink(path);
#else
  ::unlink(path);
#endif
}

}  // namespace

int RememberTemporaryFile(const std::string& path) {
  const std::filesystem::path::string_type native = standin::PathFromUtf8(path).native();
  if (native.size() >= kMaxPathUnits) return -1;
  for (int index = 0; index < kSlotCount; ++index) {
    int expected = kFree;
    if (!slots[index].state.compare_exchange_strong(expected, kFilling)) continue;
    std::memcpy(slots[index].path, native.c_str(), (native.size() + 1) * sizeof(PathUnit));
    slots[index].state.store(kHeld);
    return index;
  }
  return -1;
}

void ForgetTemporaryFile(int slot) {
  if (slot < 0 || slot >= kSlotCount) return;
  // A handler removing the file now ends the program; until then the slot stays its own.
  int expected = kHeld;
  while (!slots[slot].state.compare_exchange_weak(expected, kFree)) expected = kHeld;
}

void RemoveTemporaryFilesNow() {
  for (Slot& slot : slots) {
    int expected = kHeld;
    if (slot.state.compare_exchange_strong(expected, kRemoving)) RemovePath(slot.path);
  }
}
