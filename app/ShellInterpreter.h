// The commands of `thinfold shell`, one a line, each a user's action on the open dialog:
//   gather all|selected   tree   select N [add|remove]   check N on|off
//   menu selectall|activateall|activateselection   key up|down|enter [shift]
//   set precision|method|quality VALUE   set hold on|off   start   stop   wait   restore   status
//   save PATH   snapshot PATH   close   quit   help
// Tree lines are numbered from 1, as `tree` prints them. Blank lines and lines starting with #
// are skipped. A wrong line is reported with its number and the session goes on.
#ifndef THINFOLD_SHELL_INTERPRETER_H
#define THINFOLD_SHELL_INTERPRETER_H

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "Status.h"

class ShellInterpreter {
 public:
  ShellInterpreter(DialogDriver& driver, BaseDocument& doc, std::ostream& out, std::ostream& err);

  // Reads and runs lines until the input ends or `quit`; with a prompt when interactive.
  // Returns the number of lines that went wrong.
  int Run(std::istream& in, bool interactive);
  // Runs one line's words; what was wrong when it fails.
  Status Execute(const std::vector<std::string>& words);

 private:
  using Words = std::vector<std::string>;
  struct Command;
  static const std::vector<Command>& Commands();

  Status Gather(const Words& words);
  Status Tree(const Words& words);
  Status Select(const Words& words);
  Status Check(const Words& words);
  Status Menu(const Words& words);
  Status Key(const Words& words);
  Status Set(const Words& words);
  Status Start(const Words& words);
  Status Stop(const Words& words);
  Status Wait(const Words& words);
  Status Restore(const Words& words);
  Status ShowStatus(const Words& words);
  Status Save(const Words& words);
  Status Snapshot(const Words& words);
  Status Close(const Words& words);
  Status Quit(const Words& words);
  Status Help(const Words& words);
  struct LineChoice {
    LONG line = 0;
    std::string error;  // empty on success
  };
  // The tree line of a 1-based number word; an error when there is no such line.
  LineChoice TreeLine(const std::string& word) const;

  DialogDriver& _driver;
  BaseDocument& _doc;
  std::ostream& _out;
  std::ostream& _err;
  bool _quit = false;
};

#endif
