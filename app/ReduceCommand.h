// `thinfold reduce INPUT [-o OUTPUT] [--selected] [--precision P] [--method 0|1]
// [--quality 0|2] [--hold on|off] [--threads N] [--report FILE] [--quiet] [--fps N]
// [--frames FIRST:LAST] [--raw-angles] [--plugins DIR] [--save-partial] [--plot DIR] [--strict]`:
// the plug-in reduces the tracks of a scene or BVH file through its dialog; the program prints a
// result table and saves the document.
#ifndef THINFOLD_REDUCE_COMMAND_H
#define THINFOLD_REDUCE_COMMAND_H

#include <CLI/CLI.hpp>
#include <string>

#include "ReduceJob.h"
#include "SceneOutput.h"
#include "SessionStart.h"

class ReduceCommand {
 public:
  void Register(CLI::App& app);
  bool Chosen() const { return _command && _command->parsed(); }
  // Returns the exit code: 0 saved, 1 saved with failed tracks (or, with --strict, tracks above
  // their precision), 2 bad usage, 3 a file or the plug-in, 130 stopped by Ctrl-C, 143 ended by
  // SIGTERM.
  int Run();

 private:
  SettingsChoice Choice() const;
  std::string OutputPath() const;
  int Reduce(ReduceJob& job);
  int Save(const ReduceJob& job, const ReduceSummary& summary) const;

  CLI::App* _command = nullptr;
  SessionOptions _session;
  std::string _output;
  OutputFormat _format = OutputFormat::kScene;  // by the output's extension
  std::string _report;
  std::string _plot;  // folder for the plots of the worst tracks; empty: none
  bool _selected = false;
  bool _savePartial = false;
  bool _strict = false;  // tracks above their precision make the exit code 1
  double _precision = 0;
  int _method = 0;
  int _quality = 0;
  std::string _hold;  // "on" or "off"
};

#endif
