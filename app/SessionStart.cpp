// The start that `reduce` and `shell` share.
#include "SessionStart.h"

#include <iostream>

#include "BvhOptions.h"
#include "ExitCodes.h"
#include "PrintableText.h"
#include "SceneInput.h"
#include "c4d_standin.h"

SessionStartResult OpenSession(const SessionOptions& options, HostSession& session) {
  const PluginFolderResult plugin = options.plugins.empty() ? FindPluginFolderBeside(ProgramPath())
                                                            : FindPluginFolder(options.plugins);
  if (!plugin.error.empty()) return {nullptr, kExitFileError, plugin.error};
  SceneReadResult read = ReadInputFile(options.input, options.bvh);
  if (!read.document) return {nullptr, ReadFailureExitCode(read), read.error};
  const Status loaded = session.LoadPlugin(plugin.plugin, options.quiet);
  if (!loaded.Ok()) return {nullptr, kExitFileError, loaded.error};
  session.OpenDocument(std::move(read.document));
  standin::SetCPUCount(options.threads);
  const DialogOpenResult opened = session.OpenDialog();
  if (!opened.dialog)
    return {nullptr, kExitFileError, Printable(plugin.plugin.folder) + ": " + opened.error};
  return {opened.dialog, kExitSuccess, ""};
}

SessionStartResult StartSession(const SessionOptions& options, HostSession& session) {
  const Status usage = CheckBvhImportOptions(options.bvh, {options.input});
  const SessionStartResult started = usage.Ok()
                                         ? OpenSession(options, session)
                                         : SessionStartResult{nullptr, kExitBadUsage, usage.error};
  if (started.exitCode != kExitSuccess) std::cerr << "thinfold: " << started.error << "\n";
  return started;
}
