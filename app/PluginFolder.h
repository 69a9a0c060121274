// Finding the Thinfold plug-in folder: the module and its res/ folder, as a host finds them.
#ifndef THINFOLD_PLUGIN_FOLDER_H
#define THINFOLD_PLUGIN_FOLDER_H

#include <string>

struct PluginFolder {
  std::string folder;  // the plug-in folder (holds the module and res/)
  std::string module;  // the module file in it
};

struct PluginFolderResult {
  PluginFolder plugin;
  std::string error;  // empty when the folder is complete
};

// The folder of host plug-ins next to the program: "plugins" in the program's own folder.
std::string DefaultPluginsDir();

// dir is the Thinfold plug-in folder itself or a folder of plug-ins holding "Thinfold". The
// error names the path that is missing: the folder, the module, res/ or one of the resource
// files the plug-in needs (its string table, dialog resource and icon strip).
PluginFolderResult FindPluginFolder(const std::string& dir);

#endif
