// Ctrl-C and SIGTERM while the program runs.
#include "InterruptSignal.h"

#include <atomic>
#include <csignal>
#include <cstdlib>

#include "TemporaryFiles.h"

namespace {

std::atomic<int> pendingInterrupts{0};
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler needs a lock-free flag");

// Only lock-free atomics, file removal and _Exit here: nothing else is safe in a signal handler.
[[noreturn]] void QuitAtOnce(int exitCode) {
  RemoveTemporaryFilesNow();
  std::_Exit(exitCode);
}

extern "C" void OnInterrupt(int) {
  if (pendingInterrupts.fetch_add(1) >= 1) QuitAtOnce(kExitInterrupted);
  std::signal(SIGINT, OnInterrupt);  // where a handler lasts for one signal only
}

extern "C" void OnInterruptQuit(int) { QuitAtOnce(kExitInterrupted); }

extern "C" void OnTerminate(int) { QuitAtOnce(kExitTerminated); }

}  // namespace

void InstallInterruptHandler() {
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnTerminate);
}

void InstallQuitHandler() {
  std::signal(SIGINT, OnInterruptQuit);
  std::signal(SIGTERM, OnTerminate);
}

bool InterruptRequested() { return pendingInterrupts.load() > 0; }

void ConsumeInterrupt() { pendingInterrupts.store(0); }
