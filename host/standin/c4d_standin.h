// Controls of the headless host stand-in, for the host program and tests. Only the program and the
// tests include it: the plug-in's target does not see this folder.
#ifndef C4D_STANDIN_H
#define C4D_STANDIN_H

#include <filesystem>
#include <functional>
#include <string>

#include "c4d_container.h"
#include "c4d_events.h"
#include "c4d_types.h"

class CCurve;

namespace standin {

// Receives every console line (GePrint, GeOutString); by default they go to stderr.
// An empty function restores the default. Returns the previous receiver.
using LineSink = std::function<void(const std::string& line)>;
LineSink SetConsoleSink(LineSink sink);
// Receives every debug output line (GeDebugOut, failed assertions); default stderr.
LineSink SetDebugSink(LineSink sink);

// The folder GeGetPluginPath reports.
void SetPluginPath(const Filename& path);
// The version GetC4DVersion reports (default 12000; THINFOLD_HOST_VERSION overrides at start).
void SetHostVersion(LONG version);

// How many EventAdd calls were made since the start.
LONG GetEventAddCount();

// Number of atoms alive now (for leak checks in tests).
LLONG GetLiveAtomCount();

// Elements that inserting tracks and objects stepped over in all to find their place: the work
// of building documents.
LLONG GetListStepCount();
// Links resolved (BaseLink::GetLink and ForceGetLink) in all: the work of finding elements by
// their links.
LLONG GetLinkResolveCount();

// Threads: the count GeGetCPUCount reports (0 returns to the machine's or THINFOLD_CPU_COUNT's),
// and a failure of MPThreadPool::Init or Start on purpose until set back to None.
void SetCPUCount(LONG count);
enum class PoolFailure { None, Init, Start };
void SetThreadPoolFailure(PoolFailure failure);

// Keys: CKey::Alloc fails (returns null) once count more keys have been allocated, as a host out
// of memory would; a negative count lifts the limit (the default).
void SetKeyAllocationLimit(LLONG count);

// Core messages: receivers (open dialogs) in registration order; the event pump of the main
// thread. ProcessEvents delivers the events queued when it starts and returns their number;
// PumpUntil delivers events until done() is true (TRUE) or timeoutMs has passed (FALSE).
void RegisterCoreMessageReceiver(CoreMessageReceiver* receiver);
void UnregisterCoreMessageReceiver(CoreMessageReceiver* receiver);
LONG ProcessEvents();
Bool PumpUntil(const std::function<bool()>& done, LONG timeoutMs);

// Calls visit with each time (seconds) inside a spline segment of curve where the value turns
// (its slope is zero), in time order: the curve's extrema between keys, where a measure that
// cannot afford to evaluate a long curve densely should look.
void ForEachCurveTurn(const CCurve& curve, const std::function<void(Real seconds)>& visit);

// File system paths from and to the UTF-8 text that Filename and the host program keep: Windows
// takes paths as UTF-16, other systems take the bytes as they are.
std::filesystem::path PathFromUtf8(const std::string& utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

}  // namespace standin

#endif
