// One input of `thinfold reduce`: the session opened on it, the dialog worked through a run, the
// result table printed and the result saved.
#ifndef THINFOLD_REDUCE_RUN_H
#define THINFOLD_REDUCE_RUN_H

#include <optional>
#include <string>

#include "ReduceJob.h"
#include "ReducePlan.h"
#include "SessionStart.h"

// What the command line asks of every input.
struct ReduceOptions {
  SessionOptions session;  // its input is each run's own
  SettingsChoice choice;
  bool selected = false;
  bool savePartial = false;
  bool strict = false;  // tracks above their precision make the exit code 1
  std::string plot;     // folder for the plots of the worst tracks; empty: none
};

struct InputOutcome {
  int exitCode = 0;
  std::string message;                   // for stderr after "thinfold: "; empty: none
  std::optional<ReduceSummary> summary;  // when the run ended
  bool saved = false;
};

// Reduces run.input and saves it to run.output, with the report in the same write (both in
// full, or neither) when report is not empty. Prints the table and the total line to stdout,
// progress and notes to stderr; the outcome's exit code is 0 saved, 1 saved with failed tracks
// (or, with strict, tracks above their precision), 2 bad usage, 3 a file or the plug-in, 130
// stopped by Ctrl-C.
InputOutcome ReduceInput(const ReduceOptions& options, const PlannedRun& run,
                         const std::string& report);

#endif
