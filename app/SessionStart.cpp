// The start that `reduce` and `shell` share.
#include "SessionStart.h"

#include <iostream>

#include "BvhOptions.h"
#include "ExitCodes.h"
#include "SceneInput.h"
#include "c4d_standin.h"

namespace {

int Fail(int exitCode, const std::string& message) {
  std::cerr << "thinfold: " << message << "\n";
  return exitCode;
}

}  // namespace

int StartSession(const SessionOptions& options, HostSession& session, GeDialog*& dialog) {
  dialog = nullptr;
  const std::string usage = CheckBvhImportOptions(options.bvh, {options.input});
  if (!usage.empty()) return Fail(kExitBadUsage, usage);
  const PluginFolderResult plugin =
      FindPluginFolder(options.plugins.empty() ? DefaultPluginsDir() : options.plugins);
  if (!plugin.error.empty()) return Fail(kExitFileError, plugin.error);
  SceneReadResult read = ReadInputFile(options.input, options.bvh);
  if (!read.document) return Fail(ReadFailureExitCode(read), read.error);
  const std::string loadError = session.LoadPlugin(plugin.plugin, options.quiet);
  if (!loadError.empty()) return Fail(kExitFileError, loadError);
  session.OpenDocument(std::move(read.document));
  standin::SetCPUCount(options.threads);
  std::string dialogError;
  dialog = session.OpenDialog(dialogError);
  if (!dialog) return Fail(kExitFileError, plugin.plugin.folder + ": " + dialogError);
  return kExitSuccess;
}
