// Finding the Thinfold plug-in folder: the module and its res/ folder, as a host finds them.
#ifndef THINFOLD_PLUGIN_FOLDER_H
#define THINFOLD_PLUGIN_FOLDER_H

#include <string>

#include "ProgramPath.h"

struct PluginFolder {
  std::string folder;  // the plug-in folder (holds the module and res/)
  std::string module;  // the module file in it
};

struct PluginFolderResult {
  PluginFolder plugin;
  std::string error;  // empty when the folder is complete
};

// dir is the Thinfold plug-in folder itself or a folder of plug-ins holding "Thinfold". The
// error names the path that is missing: the folder, the module, res/ or one of the resource
// files the plug-in needs (its string table, dialog resource and icon strip).
PluginFolderResult FindPluginFolder(const std::string& dir);

// The same in the folder of host plug-ins next to the program at program (ProgramPath()):
// "plugins" in the program's own folder, or in the current folder when the system cannot tell
// the program's path, whose reason the error then carries too.
PluginFolderResult FindPluginFolderBeside(const ProgramPathResult& program);

#endif
