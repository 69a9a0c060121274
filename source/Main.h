// The module's face to the host: the entry points that c4d_main dispatches to (declared by the
// host in c4d_plugin.h: PluginStart, PluginEnd, PluginMessage) and the registration of the
// plug-in's one command.
#ifndef MAIN_H
#define MAIN_H

#include "c4d.h"

// The oldest host version the plug-in runs in (release 12.0), and the version text of the
// console lines.
enum { THINFOLD_REQUIRED_HOST_VERSION = 12000 };
inline constexpr char THINFOLD_VERSION_TEXT[] = "1.00.03";

// Registers the command (id 1031250) with its name, help text and icon, and prints
// "Loaded Thinfold R1.00.03" or "Error loading Thinfold R1.00.03". TRUE when registered.
Bool RegisterThinfoldDialog();

#endif
