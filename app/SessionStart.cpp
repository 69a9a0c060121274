// The start that `reduce` and `shell` share.
#include "SessionStart.h"

#include <iostream>

#include "ExitCodes.h"
#include "PrintableText.h"
#include "SceneInput.h"
#include "c4d_standin.h"

namespace {

int Fail(int exitCode, const std::string& message) {
  std::cerr << "thinfold: " << message << "\n";
  return exitCode;
}

}  // namespace

std::string CheckFpsOption(const SessionOptions& options) {
  if (options.fps > 0 && !IsBvhPath(options.input))
    return "--fps sets the frame rate of BVH input only; " + Printable(options.input) +
           " is a scene file";
  return std::string();
}

int StartSession(const SessionOptions& options, HostSession& session, GeDialog*& dialog) {
  dialog = nullptr;
  const std::string usage = CheckFpsOption(options);
  if (!usage.empty()) return Fail(kExitBadUsage, usage);
  const PluginFolderResult plugin =
      FindPluginFolder(options.plugins.empty() ? DefaultPluginsDir() : options.plugins);
  if (!plugin.error.empty()) return Fail(kExitFileError, plugin.error);
  SceneReadResult read = ReadInputFile(options.input, options.fps);
  if (!read.document) return Fail(kExitFileError, read.error);
  const std::string loadError = session.LoadPlugin(plugin.plugin, options.quiet);
  if (!loadError.empty()) return Fail(kExitFileError, loadError);
  session.OpenDocument(std::move(read.document));
  standin::SetCPUCount(options.threads);
  std::string dialogError;
  dialog = session.OpenDialog(dialogError);
  if (!dialog) return Fail(kExitFileError, Printable(plugin.plugin.folder) + ": " + dialogError);
  return kExitSuccess;
}
