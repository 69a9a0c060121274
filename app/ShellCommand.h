// `thinfold shell INPUT [--plugins DIR] [--threads N] [--fps N] [--frames FIRST:LAST]
// [--raw-angles]`: the plug-in's dialog on INPUT, driven by commands from stdin, typed (with a
// prompt on a terminal) or from a script.
#ifndef THINFOLD_SHELL_COMMAND_H
#define THINFOLD_SHELL_COMMAND_H

#include <CLI/CLI.hpp>

#include "SessionStart.h"

class ShellCommand {
 public:
  void Register(CLI::App& app);
  bool Chosen() const { return _command && _command->parsed(); }
  // Returns the exit code: 0 when every line went well, 2 when a line went wrong, 3 when the
  // input or the plug-in cannot be opened.
  int Run();

 private:
  CLI::App* _command = nullptr;
  SessionOptions _session;
};

#endif
