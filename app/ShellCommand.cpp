// `thinfold shell`.
#include "ShellCommand.h"

#include <unistd.h>

#include <iostream>

#include "BvhOptions.h"
#include "ExitCodes.h"
#include "InterruptSignal.h"
#include "PathOption.h"
#include "PluginIds.h"
#include "ShellInterpreter.h"

void ShellCommand::Register(CLI::App& app) {
  _command =
      app.add_subcommand("shell", "Drive the plug-in's dialog on a file, command by command");
  _command->add_option("INPUT", _session.input, "Scene (.json) or BVH (.bvh) file")
      ->required()
      ->check(kNonEmptyPath);
  _command
      ->add_option("--plugins", _session.plugins,
                   "Plug-in folder (default: plugins/ next to the program)")
      ->check(kNonEmptyPath);
  AddBvhImportOptions(*_command, _session.bvh);
  _command->add_option("--threads", _session.threads, "Worker threads (default: processors)")
      ->check(CLI::Range(1, plugin_ids::kMaxWorkers));
}

int ShellCommand::Run() {
  HostSession session;
  const SessionStartResult started = StartSession(_session, session);
  if (started.exitCode != kExitSuccess) return started.exitCode;
  InstallInterruptHandler();
  DialogDriver driver(*started.dialog);
  ShellInterpreter shell(driver, *session.Document(), std::cout, std::cerr);
  const int failedLines = shell.Run(std::cin, isatty(STDIN_FILENO));
  return failedLines == 0 ? kExitSuccess : kExitBadUsage;
}
