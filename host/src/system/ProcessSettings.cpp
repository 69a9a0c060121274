// Process-wide settings of the stand-in: plug-in path, host version, event counter.
#include <atomic>
#include <cstdlib>
#include <mutex>

#include "c4d_debug.h"
#include "c4d_general.h"
#include "c4d_standin.h"

namespace {

constexpr LONG kDefaultHostVersion = 12000;

struct HostState {
  std::mutex pathMutex;
  Filename pluginPath;
  std::once_flag versionRead;
  std::atomic<LONG> version{kDefaultHostVersion};
  std::atomic<LONG> eventAddCount{0};
};

HostState& State() {
  static HostState* state = new HostState;
  return *state;
}

// THINFOLD_HOST_VERSION, when set to a whole number, replaces the default version.
void ReadVersionFromEnvironment(HostState& state) {
  const char* text = std::getenv("THINFOLD_HOST_VERSION");
  if (!text || !*text) return;
  char* end = nullptr;
  const long version = std::strtol(text, &end, 10);
  if (*end != '\0' || version <= 0 || version > 1000000000L) {
    GeDebugOut("THINFOLD_HOST_VERSION \"%s\" is not a version number", text);
    return;
  }
  state.version.store(static_cast<LONG>(version));
}

void EnsureVersionRead(HostState& state) {
  std::call_once(state.versionRead, [&state] { ReadVersionFromEnvironment(state); });
}

}  // namespace

Filename GeGetPluginPath() {
  HostState& state = State();
  std::lock_guard lock(state.pathMutex);
  return state.pluginPath;
}

void standin::SetPluginPath(const Filename& path) {
  HostState& state = State();
  std::lock_guard lock(state.pathMutex);
  state.pluginPath = path;
}

LONG GetC4DVersion() {
  HostState& state = State();
  EnsureVersionRead(state);
  return state.version.load();
}

void standin::SetHostVersion(LONG version) {
  HostState& state = State();
  EnsureVersionRead(state);
  state.version.store(version);
}

void EventAdd(LONG) { State().eventAddCount.fetch_add(1); }

LONG standin::GetEventAddCount() { return State().eventAddCount.load(); }

// The stand-in has no background threads of its own.
void StopAllThreads() {}
