// The start that `reduce` and `shell` share.
#include "SessionStart.h"

#include <iostream>

#include "BvhOptions.h"
#include "ExitCodes.h"
#include "PrintableText.h"
#include "SceneInput.h"
#include "c4d_standin.h"

int OpenSession(const SessionOptions& options, HostSession& session, GeDialog*& dialog,
                std::string& error) {
  dialog = nullptr;
  const PluginFolderResult plugin =
      FindPluginFolder(options.plugins.empty() ? DefaultPluginsDir() : options.plugins);
  if (!plugin.error.empty()) {
    error = plugin.error;
    return kExitFileError;
  }
  SceneReadResult read = ReadInputFile(options.input, options.bvh);
  if (!read.document) {
    error = read.error;
    return ReadFailureExitCode(read);
  }
  error = session.LoadPlugin(plugin.plugin, options.quiet);
  if (!error.empty()) return kExitFileError;
  session.OpenDocument(std::move(read.document));
  standin::SetCPUCount(options.threads);
  dialog = session.OpenDialog(error);
  if (!dialog) {
    error = Printable(plugin.plugin.folder) + ": " + error;
    return kExitFileError;
  }
  return kExitSuccess;
}

int StartSession(const SessionOptions& options, HostSession& session, GeDialog*& dialog) {
  std::string error = CheckBvhImportOptions(options.bvh, {options.input});
  const int exitCode =
      error.empty() ? OpenSession(options, session, dialog, error) : int(kExitBadUsage);
  if (exitCode != kExitSuccess) std::cerr << "thinfold: " << error << "\n";
  return exitCode;
}
