// Resources, the console, events and module information.
#ifndef C4D_GENERAL_H
#define C4D_GENERAL_H

#include "c4d_container.h"
#include "c4d_string.h"
#include "c4d_types.h"

// The string table of the plug-in's "res" folder.
class GeResource {
 public:
  // Reads path/res/strings.txt; without a path the plug-in path (GeGetPluginPath) is used.
  // FALSE when the table is missing or malformed (the reason goes to the debug output).
  Bool Init(const Filename& path);
  Bool Init();
};

// The one string table of the plug-in.
extern GeResource resource;

// The text of string id; an empty string (and a debug line) for an unknown id.
String GeLoadString(LONG id);
// The same with its first "#" replaced by p1.
String GeLoadString(LONG id, const String& p1);

// One line on the host's console.
void GePrint(const String& line);
// A message box; the headless host writes the text as a console line of its own.
void GeOutString(const String& text, LONG flags = 0);

// The folder of the plug-in module being run (set by the host when it loads the module).
Filename GeGetPluginPath();

// The host's version number, e.g. 12000 for release 12.0.
LONG GetC4DVersion();

// Events the host reacts to after the document changed.
enum { EVENT_0 = 0, EVENT_FORCEREDRAW = 1 };
void EventAdd(LONG flags = EVENT_0);
// Ends the host's own background threads before a structural copy.
void StopAllThreads();

#endif
