// Controls of the headless host stand-in, for the host program and tests. The plug-in never
// includes this header.
#ifndef C4D_STANDIN_H
#define C4D_STANDIN_H

#include <functional>
#include <string>

#include "c4d_container.h"
#include "c4d_types.h"

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

}  // namespace standin

#endif
