// `thinfold reduce`.
#include "ReduceCommand.h"

#include <cmath>
#include <cstdio>
#include <iostream>

#include "BvhOptions.h"
#include "ExitCodes.h"
#include "InterruptSignal.h"
#include "PathOption.h"
#include "PluginIds.h"
#include "ResultReport.h"
#include "TextFile.h"

namespace {

const CLI::Validator kFiniteNonNegative(
    [](std::string& text) {
      const double value = std::atof(text.c_str());
      return std::isfinite(value) && value >= 0 ? std::string()
                                                : "expected a finite number of at least 0";
    },
    "NUMBER >= 0");

int Fail(int exitCode, const std::string& message) {
  std::cerr << "thinfold: " << message << "\n";
  return exitCode;
}

int PrintOutcome(const InputOutcome& outcome) {
  return outcome.message.empty() ? outcome.exitCode : Fail(outcome.exitCode, outcome.message);
}

}  // namespace

void ReduceCommand::Register(CLI::App& app) {
  _command = app.add_subcommand("reduce", "Reduce the keys of scene and BVH files' tracks");
  _command
      ->add_option("INPUT", _inputs,
                   "Scene (.json) or BVH (.bvh) files, or folders of them (not their "
                   "subfolders)")
      ->required()
      ->check(kNonEmptyPath);
  _command
      ->add_option("-o,--output", _output,
                   "File to save for one input: a scene file (.json) or BVH (.bvh), by its "
                   "extension (default: INPUT.thin.json beside INPUT)")
      ->check(kNonEmptyPath);
  _command
      ->add_option("--output-dir", _outputFolder,
                   "Folder for the results, each named after its input (NAME.thin.json, "
                   "NAME.thin.bvh with --format bvh)")
      ->check(kNonEmptyPath);
  _command
      ->add_option("--format", _format,
                   "Format of the results named after their inputs: json (default) or bvh")
      ->check(CLI::IsMember({"json", "bvh"}));
  _command->add_flag("--selected", _options.selected, "Only the tracks of the selected elements");
  _command->add_option("--precision", _precision, "Tolerance in the tracks' unit steps")
      ->check(kFiniteNonNegative);
  _command->add_option("--method", _method, "0 spline fit, then remove keys; 1 remove only")
      ->check(CLI::Range(0, 1));
  // The dialog's quality box offers 0 and 2; it refuses 1 itself, with its own reason.
  _command->add_option("--quality", _quality, "Spline fit quality: 0 (normal) or 2 (high)")
      ->check(CLI::Range(0, 2).description("0 or 2"));
  _command
      ->add_option("--hold", _hold,
                   "on: keep each reduced value curve within its precision at every check "
                   "point; off: the stages' own checks only")
      ->check(CLI::IsMember({"on", "off"}));
  _command
      ->add_option("--threads", _options.session.threads, "Worker threads (default: processors)")
      ->check(CLI::Range(1, plugin_ids::kMaxWorkers));
  _command
      ->add_option("--report", _report,
                   "Write the results as JSON to this file (one entry per input for several)")
      ->check(kNonEmptyPath);
  _command
      ->add_option("--plot", _options.plot,
                   "Draw the 10 tracks that moved most for their precision as PNG files "
                   "into this folder (one input only)")
      ->check(kNonEmptyPath);
  _command->add_flag("--quiet", _options.session.quiet, "No progress and no plug-in console lines");
  AddBvhImportOptions(*_command, _options.session.bvh);
  _command
      ->add_option("--plugins", _options.session.plugins,
                   "Plug-in folder (default: plugins/ next to the program)")
      ->check(kNonEmptyPath);
  _command->add_flag("--save-partial", _options.savePartial,
                     "After Ctrl-C, save the tracks that were finished");
  _command->add_flag("--strict", _options.strict,
                     "Exit 1 (the scene is saved) when a track's MAX DEV is above its precision");
}

SettingsChoice ReduceCommand::Choice() const {
  SettingsChoice choice;
  if (_command->count("--precision")) choice.precision = _precision;
  if (_command->count("--method")) choice.method = _method;
  if (_command->count("--quality")) choice.quality = _quality;
  if (_command->count("--hold")) choice.hold = _hold == "on";
  return choice;
}

PlanRequest ReduceCommand::Request() const {
  return {_inputs, _output, _outputFolder, _format, _report};
}

Status ReduceCommand::CheckUsage(const ReducePlan& plan) const {
  if (plan.several && !_options.plot.empty())
    return {"--plot draws the tracks of one input; there are " + std::to_string(plan.runs.size())};
  std::vector<std::string> inputs;
  for (const PlannedRun& run : plan.runs) inputs.push_back(run.input);
  return CheckBvhImportOptions(_options.session.bvh, inputs);
}

int ReduceCommand::Run() {
  // Until a run can be stopped, Ctrl-C quits at once, removing what the checks make.
  InstallQuitHandler();
  const ReducePlan plan = PlanReduce(Request());
  if (!plan.error.empty()) return Fail(plan.exitCode, plan.error);
  const Status usage = CheckUsage(plan);
  if (!usage.Ok()) return Fail(kExitBadUsage, usage.error);
  _options.choice = Choice();
  if (!plan.several) return PrintOutcome(ReduceInput(_options, plan.runs.front(), _report));
  return ReduceSeveral(plan.runs);
}

// One table per input and a grand total; a failing input is reported and the others go on, up
// to a Ctrl-C. The report, written after the last input, has an entry for each.
int ReduceCommand::ReduceSeveral(const std::vector<PlannedRun>& runs) const {
  std::vector<InputReport> reports;
  for (const PlannedRun& run : runs) {
    std::cout << (reports.empty() ? "" : "\n") << run.input << " \u2192 " << run.output << "\n"
              << std::flush;
    const InputOutcome outcome = ReduceInput(_options, run, std::string());
    PrintOutcome(outcome);
    reports.push_back(
        {run.input, run.output, outcome.exitCode, outcome.message, outcome.summary, outcome.saved});
    if (InterruptRequested()) break;
  }
  std::cout << "\n" << GrandTotalLine(reports) << std::flush;
  if (InterruptRequested())
    return Fail(kExitInterrupted, "stopped: " + std::to_string(runs.size() - reports.size()) +
                                      " inputs not reduced, no report written");
  if (_report.empty()) return WorstExitCode(reports);
  const Status written = WriteTextFileAtomically(_report, SeveralInputsReportJson(reports));
  if (!written.Ok()) return Fail(kExitFileError, written.error);
  return WorstExitCode(reports);
}
