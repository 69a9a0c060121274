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

class ShellInterpreter {
 public:
  ShellInterpreter(DialogDriver& driver, BaseDocument& doc, std::ostream& out, std::ostream& err);

  // Reads and runs lines until the input ends or `quit`; with a prompt when interactive.
  // Returns the number of lines that went wrong.
  int Run(std::istream& in, bool interactive);
  // Runs one line's words; what was wrong, or empty.
  std::string Execute(const std::vector<std::string>& words);

 private:
  using Words = std::vector<std::string>;
  struct Command;
  static const std::vector<Command>& Commands();

  std::string Gather(const Words& words);
  std::string Tree(const Words& words);
  std::string Select(const Words& words);
  std::string Check(const Words& words);
  std::string Menu(const Words& words);
  std::string Key(const Words& words);
  std::string Set(const Words& words);
  std::string Start(const Words& words);
  std::string Stop(const Words& words);
  std::string Wait(const Words& words);
  std::string Restore(const Words& words);
  std::string Status(const Words& words);
  std::string Save(const Words& words);
  std::string Snapshot(const Words& words);
  std::string Close(const Words& words);
  std::string Quit(const Words& words);
  std::string Help(const Words& words);
  // The tree line of a 1-based number word; an error when there is no such line.
  std::string TreeLine(const std::string& word, LONG& line) const;

  DialogDriver& _driver;
  BaseDocument& _doc;
  std::ostream& _out;
  std::ostream& _err;
  bool _quit = false;
};

#endif
