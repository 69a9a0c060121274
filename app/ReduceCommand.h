// `thinfold reduce INPUT... [-o OUTPUT | --output-dir DIR [--format json|bvh]] [--selected]
// [--precision P] [--method 0|1] [--quality 0|2] [--hold on|off] [--threads N] [--report FILE]
// [--quiet] [--fps N] [--frames FIRST:LAST] [--raw-angles] [--plugins DIR] [--save-partial]
// [--plot DIR] [--strict]`: the plug-in reduces the tracks of scene or BVH files through its
// dialog; the program prints a result table per input and saves each result. Several inputs (a
// folder stands for its .bvh and .json files) run one after the other, then a grand total.
#ifndef THINFOLD_REDUCE_COMMAND_H
#define THINFOLD_REDUCE_COMMAND_H

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "ReducePlan.h"
#include "ReduceRun.h"
#include "Status.h"

class ReduceCommand {
 public:
  void Register(CLI::App& app);
  bool Chosen() const { return _command && _command->parsed(); }
  // Returns the exit code: 0 saved, 1 saved with failed tracks (or, with --strict, tracks above
  // their precision), 2 bad usage, 3 a file or the plug-in, 130 stopped by Ctrl-C, 143 ended by
  // SIGTERM; for several inputs the worst of theirs.
  int Run();

 private:
  SettingsChoice Choice() const;
  PlanRequest Request() const;
  // Before any work: whether every option applies to the inputs, or which does not.
  Status CheckUsage(const ReducePlan& plan) const;
  int ReduceSeveral(const std::vector<PlannedRun>& runs) const;

  CLI::App* _command = nullptr;
  std::vector<std::string> _inputs;
  ReduceOptions _options;
  std::string _output;
  std::string _outputFolder;
  std::string _format;
  std::string _report;
  double _precision = 0;
  int _method = 0;
  int _quality = 0;
  std::string _hold;  // "on" or "off"
};

#endif
