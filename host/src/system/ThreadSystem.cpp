// Processor count, sleeping and signals.
#include <chrono>
#include <cstdlib>

#include "c4d_standin.h"
#include "c4d_thread.h"

namespace {

std::atomic<LONG> g_cpuCountOverride{0};

// THINFOLD_CPU_COUNT when it holds a whole number of at least 1, else the machine's count.
LONG StartupCPUCount() {
  if (const char* text = std::getenv("THINFOLD_CPU_COUNT")) {
    char* end = nullptr;
    long count = std::strtol(text, &end, 10);
    if (end != text && *end == '\0' && count >= 1 && count <= 1 << 20)
      return static_cast<LONG>(count);
  }
  unsigned machine = std::thread::hardware_concurrency();
  return machine >= 1 ? static_cast<LONG>(machine) : 1;
}

}  // namespace

namespace standin {

void SetCPUCount(LONG count) {
  g_cpuCountOverride.store(count > 0 ? count : 0, std::memory_order_relaxed);
}

}  // namespace standin

LONG GeGetCPUCount() {
  LONG count = g_cpuCountOverride.load(std::memory_order_relaxed);
  if (count > 0) return count;
  static const LONG startupCount = StartupCPUCount();
  return startupCount;
}

void GeSleep(LONG ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void GeSignal::Set() {
  {
    std::lock_guard<std::mutex> guard(_lock);
    _set = true;
  }
  _changed.notify_all();
}

Bool GeSignal::Wait(LONG timeoutMs) {
  std::unique_lock<std::mutex> guard(_lock);
  if (timeoutMs > 0)
    _changed.wait_for(guard, std::chrono::milliseconds(timeoutMs), [this] { return _set; });
  const bool wasSet = _set;
  _set = false;
  return wasSet ? TRUE : FALSE;
}
