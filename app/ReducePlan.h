// What `thinfold reduce` is asked to do, worked out and checked before any work: the inputs (a
// folder stands for its .bvh and .json files) and the file each result is saved to.
#ifndef THINFOLD_REDUCE_PLAN_H
#define THINFOLD_REDUCE_PLAN_H

#include <string>
#include <vector>

#include "SceneOutput.h"

struct PlannedRun {
  std::string input;
  std::string output;
  OutputFormat format = OutputFormat::kScene;
};

struct PlanRequest {
  std::vector<std::string> inputs;  // files and folders as given
  std::string output;               // -o; empty: named after the input
  std::string outputFolder;         // --output-dir; empty: beside each input
  std::string format;               // --format: "json", "bvh"; empty: json
  std::string report;               // --report; empty: none
};

struct ReducePlan {
  std::vector<PlannedRun> runs;
  // Several inputs or a folder were given: one table each, a grand total and one report entry
  // each. One input file keeps the single run's output and report.
  bool several = false;
  int exitCode = 0;
  std::string error;  // empty when the plan will do
};

// A result named after its input: INPUT's name with ".thin" and the format's extension instead
// of its extension, in folder (empty: beside the input), so that an input is never replaced.
std::string ResultPath(const std::string& input, const std::string& folder, OutputFormat format);

// Bad usage (exit 2): -o with --output-dir, with --format or with several inputs, a folder
// without inputs, an output of no known format, two inputs saved to one file, a report that is
// an input or an output. Exit 3: an output that is an input, an output or report that cannot be
// written there (see CheckOutputPaths).
ReducePlan PlanReduce(const PlanRequest& request);

#endif
