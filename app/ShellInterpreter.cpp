// The commands of `thinfold shell`.
#include "ShellInterpreter.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <sstream>

#include "InterruptSignal.h"
#include "PluginIds.h"
#include "PrintableText.h"
#include "SceneWriter.h"
#include "TreeListing.h"
#include "c4d_standin.h"
#include "c4d_standin_gui.h"

struct ShellInterpreter::Command {
  const char* name;
  const char* usage;
  std::size_t minArguments;
  std::size_t maxArguments;
  bool needsDialog;
  Status (ShellInterpreter::*run)(const Words&);
};

namespace {

constexpr const char* kPrompt = "thinfold> ";

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream stream(line);
  std::vector<std::string> words;
  for (std::string word; stream >> word;) words.push_back(word);
  return words;
}

enum class Parsed { kNumber, kOutOfRange, kNoNumber };

// A whole number from the complete word, as wide as the host's LONG or out of range.
Parsed ParseLong(const std::string& word, LONG& value) {
  char* end = nullptr;
  errno = 0;
  const long long wide = std::strtoll(word.c_str(), &end, 10);
  if (word.empty() || *end != '\0') return Parsed::kNoNumber;
  if (errno == ERANGE || wide < std::numeric_limits<LONG>::min() ||
      wide > std::numeric_limits<LONG>::max())
    return Parsed::kOutOfRange;
  value = static_cast<LONG>(wide);
  return Parsed::kNumber;
}

// A finite number from the complete word.
Parsed ParseReal(const std::string& word, double& value) {
  char* end = nullptr;
  value = std::strtod(word.c_str(), &end);
  if (word.empty() || *end != '\0') return Parsed::kNoNumber;
  return std::isfinite(value) ? Parsed::kNumber : Parsed::kOutOfRange;
}

// The index of word in choices, or -1.
int ChoiceOf(const std::string& word, std::initializer_list<const char*> choices) {
  int index = 0;
  for (const char* choice : choices) {
    if (word == choice) return index;
    ++index;
  }
  return -1;
}

Status Refusal(const std::string& gadget, const std::string& reason) {
  return {"the dialog's " + gadget + (reason.empty() ? " refused it" : " " + reason)};
}

}  // namespace

const std::vector<ShellInterpreter::Command>& ShellInterpreter::Commands() {
  static const std::vector<Command> commands = {
      {"gather", "gather all|selected", 1, 1, true, &ShellInterpreter::Gather},
      {"tree", "tree", 0, 0, true, &ShellInterpreter::Tree},
      {"select", "select N [add|remove]", 1, 2, true, &ShellInterpreter::Select},
      {"check", "check N on|off", 2, 2, true, &ShellInterpreter::Check},
      {"menu", "menu selectall|activateall|activateselection", 1, 1, true, &ShellInterpreter::Menu},
      {"key", "key up|down|enter [shift]", 1, 2, true, &ShellInterpreter::Key},
      {"set", "set precision|method|quality VALUE, set hold on|off", 2, 2, true,
       &ShellInterpreter::Set},
      {"start", "start", 0, 0, true, &ShellInterpreter::Start},
      {"stop", "stop", 0, 0, true, &ShellInterpreter::Stop},
      {"wait", "wait", 0, 0, true, &ShellInterpreter::Wait},
      {"restore", "restore", 0, 0, true, &ShellInterpreter::Restore},
      {"status", "status", 0, 0, true, &ShellInterpreter::ShowStatus},
      {"save", "save PATH", 1, 1, false, &ShellInterpreter::Save},
      {"snapshot", "snapshot PATH", 1, 1, true, &ShellInterpreter::Snapshot},
      {"close", "close", 0, 0, true, &ShellInterpreter::Close},
      {"quit", "quit", 0, 0, false, &ShellInterpreter::Quit},
      {"help", "help", 0, 0, false, &ShellInterpreter::Help},
  };
  return commands;
}

ShellInterpreter::ShellInterpreter(DialogDriver& driver, BaseDocument& doc, std::ostream& out,
                                   std::ostream& err)
    : _driver(driver), _doc(doc), _out(out), _err(err) {}

int ShellInterpreter::Run(std::istream& in, bool interactive) {
  int failedLines = 0;
  std::string line;
  for (long number = 1; !_quit; ++number) {
    if (interactive) _out << kPrompt << std::flush;
    if (!std::getline(in, line)) break;
    const std::vector<std::string> words = SplitWords(line);
    if (words.empty() || words[0][0] == '#') continue;
    ConsumeInterrupt();
    const Status done = Execute(words);
    _out << std::flush;
    if (done.Ok()) continue;
    _err << "thinfold: line " << number << ": " << Printable(line) << ": " << done.error << "\n"
         << std::flush;
    ++failedLines;
  }
  return failedLines;
}

Status ShellInterpreter::Execute(const std::vector<std::string>& words) {
  const auto& commands = Commands();
  const auto command = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command& c) { return words[0] == c.name; });
  if (command == commands.end()) return {"unknown command (help lists them)"};
  const std::size_t arguments = words.size() - 1;
  if (arguments < command->minArguments || arguments > command->maxArguments)
    return {std::string("usage: ") + command->usage};
  if (command->needsDialog && !_driver.IsOpen()) return {"the dialog is closed"};
  return (this->*command->run)(words);
}

ShellInterpreter::LineChoice ShellInterpreter::TreeLine(const std::string& word) const {
  LONG number = 0;
  const LONG lineCount = _driver.PaintTree();
  if (ParseLong(word, number) != Parsed::kNumber || number < 1 || number > lineCount)
    return {0, "no line " + Printable(word) + " in the tree (it has " + std::to_string(lineCount) +
                   " lines)"};
  return {number - 1, ""};
}

Status ShellInterpreter::Gather(const Words& words) {
  const int which = ChoiceOf(words[1], {"all", "selected"});
  if (which < 0) return {"usage: gather all|selected"};
  const LONG button = which == 0 ? plugin_ids::kGatherAll : plugin_ids::kGatherSelected;
  const Status pressed = _driver.Press(button);
  return pressed.Ok() ? pressed : Refusal("gather button", pressed.error);
}

Status ShellInterpreter::Tree(const Words&) {
  _out << RenderTreeListing(_driver);
  return {};
}

Status ShellInterpreter::Select(const Words& words) {
  const int mode = words.size() > 2 ? ChoiceOf(words[2], {"new", "add", "remove"}) : 0;
  if (mode < 0) return {"usage: select N [add|remove]"};
  const LineChoice chosen = TreeLine(words[1]);
  if (!chosen.error.empty()) return {chosen.error};
  const LONG line = chosen.line;
  const LONG modes[] = {SELECTION_NEW, SELECTION_ADD, SELECTION_SUB};
  standin::SelectTreeLine(*_driver.Tree(), line, modes[mode]);
  standin::ProcessEvents();
  return {};
}

Status ShellInterpreter::Check(const Words& words) {
  const int state = ChoiceOf(words[2], {"off", "on"});
  if (state < 0) return {"usage: check N on|off"};
  const LineChoice chosen = TreeLine(words[1]);
  if (!chosen.error.empty()) return {chosen.error};
  const LONG line = chosen.line;
  TreeViewCustomGui& tree = *_driver.Tree();
  for (LONG position = 0; position < tree.GetColumnCount(); ++position) {
    if (tree.GetColumnType(position) != LV_CHECKBOX) continue;
    const bool checked = standin::CheckTreeCell(tree, line, tree.GetColumnId(position), state);
    standin::ProcessEvents();
    return checked ? Status{} : Status{"line " + Printable(words[1]) + " shows no check box"};
  }
  return {"the tree has no check box column"};
}

Status ShellInterpreter::Menu(const Words& words) {
  const int which = ChoiceOf(words[1], {"selectall", "activateall", "activateselection"});
  if (which < 0) return {"usage: menu selectall|activateall|activateselection"};
  const LONG commands[] = {plugin_ids::kMenuSelectAll, plugin_ids::kMenuActivateAll,
                           plugin_ids::kMenuActivateSelection};
  // A right click on the first line's name.
  _driver.PaintTree();
  const bool chosen =
      standin::ChooseTreeContextMenu(*_driver.Tree(), 0, plugin_ids::kNameColumn, commands[which]);
  standin::ProcessEvents();
  return chosen ? Status{} : Status{"the tree's context menu does not offer " + words[1]};
}

// An arrow key that finds no line beyond the selection is no error: the tree just ignores it.
Status ShellInterpreter::Key(const Words& words) {
  const int which = ChoiceOf(words[1], {"up", "down", "enter"});
  const bool shift = words.size() > 2 && words[2] == "shift";
  if (which < 0 || (words.size() > 2 && !shift)) return {"usage: key up|down|enter [shift]"};
  const LONG keys[] = {KEY_UP, KEY_DOWN, KEY_ENTER};
  standin::SendTreeKey(*_driver.Tree(), keys[which], shift ? QSHIFT : 0);
  standin::ProcessEvents();
  return {};
}

Status ShellInterpreter::Set(const Words& words) {
  const int which = ChoiceOf(words[1], {"precision", "method", "quality", "hold"});
  if (which < 0) return {"usage: set precision|method|quality VALUE, set hold on|off"};
  const LONG gadgets[] = {plugin_ids::kPrecision, plugin_ids::kMethod, plugin_ids::kQuality,
                          plugin_ids::kHold};
  const std::string names[] = {"precision field", "method box", "quality box", "hold check box"};
  const std::string value = Printable(words[2]);
  double real = 0;
  LONG whole = 0;
  Status edited;
  if (which == 0) {
    const Parsed parsed = ParseReal(words[2], real);
    if (parsed == Parsed::kNoNumber) return {"precision: expected a number, found '" + value + "'"};
    if (parsed == Parsed::kOutOfRange) return {"precision: " + value + " is not a finite number"};
    edited = _driver.EditReal(gadgets[0], real);
  } else if (which == 3) {
    const int state = ChoiceOf(words[2], {"off", "on"});
    if (state < 0) return {"hold: expected on or off, found '" + value + "'"};
    edited = _driver.SetCheck(gadgets[3], state == 1);
  } else {
    const Parsed parsed = ParseLong(words[2], whole);
    if (parsed == Parsed::kNoNumber) return {words[1] + ": expected a whole number"};
    if (parsed == Parsed::kOutOfRange)
      return {words[1] + ": " + value + " is out of range; " +
              Refusal(names[which], _driver.RefusalReason(gadgets[which])).error};
    edited = _driver.EditLong(gadgets[which], whole);
  }
  return edited.Ok() ? edited : Refusal(names[which], edited.error);
}

Status ShellInterpreter::Start(const Words&) {
  const Status started = _driver.StartRun();
  return started.Ok() ? started : Refusal("start button", started.error);
}

Status ShellInterpreter::Stop(const Words&) {
  const Status pressed = _driver.Press(plugin_ids::kStop);
  return pressed.Ok() ? pressed : Refusal("stop button", pressed.error);
}

// Ctrl-C while waiting presses stop, as in `reduce`.
Status ShellInterpreter::Wait(const Words&) {
  _driver.WaitForRunEnd([] {},
                        [this] {
                          if (!InterruptRequested()) return false;
                          _err << "thinfold: stopping the run (Ctrl-C again quits at once)\n";
                          return true;
                        });
  ConsumeInterrupt();
  return {};
}

Status ShellInterpreter::Restore(const Words&) {
  const Status pressed = _driver.Press(plugin_ids::kRestore);
  return pressed.Ok() ? pressed : Refusal("restore button", pressed.error);
}

Status ShellInterpreter::ShowStatus(const Words&) {
  const StatusBarView status = _driver.StatusBar();
  _out << (status.progressOn ? status.progressText : std::string("-")) << "  " << status.text
       << "\n";
  return {};
}

Status ShellInterpreter::Save(const Words& words) {
  const SceneWriteResult written = WriteSceneFile(_doc, words[1]);
  return {written.error};
}

Status ShellInterpreter::Snapshot(const Words& words) {
  return standin::WriteDialogPng(_driver.Dialog(), Filename(words[1].c_str()))
             ? Status{}
             : Status{Printable(words[1]) + ": cannot write the picture (see the line above)"};
}

Status ShellInterpreter::Close(const Words&) {
  const Status closed = _driver.Close();
  return closed.Ok() ? closed : Status{"the dialog " + closed.error};
}

Status ShellInterpreter::Quit(const Words&) {
  _quit = true;
  return {};
}

Status ShellInterpreter::Help(const Words&) {
  for (const Command& command : Commands()) _out << "  " << command.usage << "\n";
  return {};
}
