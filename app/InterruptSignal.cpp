// Ctrl-C while the program drives a run.
#include "InterruptSignal.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

namespace {

std::atomic<int> pendingInterrupts{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free flag");

// Only lock-free atomics and _Exit here: nothing else is safe in a signal handler.
extern "C" void OnInterrupt(int) {
  if (pendingInterrupts.fetch_add(1) >= 1) std::_Exit(kExitInterrupted);
  std::signal(SIGINT, OnInterrupt);  // where a handler lasts for one signal only
}

}  // namespace

void InstallInterruptHandler() { std::signal(SIGINT, OnInterrupt); }

bool InterruptRequested() { return pendingInterrupts.load() > 0; }

void ConsumeInterrupt() { pendingInterrupts.store(0); }
