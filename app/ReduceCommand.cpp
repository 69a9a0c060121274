// `thinfold reduce`.
#include "ReduceCommand.h"

#include <cmath>
#include <cstdio>
#include <iostream>
#include <vector>

#include "BvhOptions.h"
#include "BvhWriter.h"
#include "ExitCodes.h"
#include "InterruptSignal.h"
#include "OutputPaths.h"
#include "ResultReport.h"
#include "SceneOutput.h"
#include "TextFile.h"
#include "c4d_standin.h"
#include "plot/PlotRun.h"

namespace {

constexpr int kMaxThreads = 64;  // the plug-in runs at most 64 workers
// --plot draws this many of the tracks that moved most.
constexpr size_t kPlottedTracks = 10;

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

}  // namespace

void ReduceCommand::Register(CLI::App& app) {
  _command = app.add_subcommand("reduce", "Reduce the keys of a scene or BVH file's tracks");
  _command->add_option("INPUT", _session.input, "Scene (.json) or BVH (.bvh) file")->required();
  _command->add_option("-o,--output", _output,
                       "File to save: a scene file (.json) or BVH (.bvh), by its extension "
                       "(default: INPUT.thin.json)");
  _command->add_flag("--selected", _selected, "Only the tracks of the selected elements");
  _command->add_option("--precision", _precision, "Tolerance in the tracks' unit steps")
      ->check(kFiniteNonNegative);
  _command->add_option("--method", _method, "0 spline fit, then remove keys; 1 remove only")
      ->check(CLI::Range(0, 1));
  _command->add_option("--quality", _quality, "Spline fit quality 0, 1 or 2")
      ->check(CLI::Range(0, 2));
  _command
      ->add_option("--hold", _hold,
                   "on: keep each reduced value curve within its precision at every check "
                   "point; off: the stages' own checks only")
      ->check(CLI::IsMember({"on", "off"}));
  _command->add_option("--threads", _session.threads, "Worker threads (default: processors)")
      ->check(CLI::Range(1, kMaxThreads));
  _command->add_option("--report", _report, "Write the results as JSON to this file");
  _command->add_option("--plot", _plot,
                       "Draw the 10 tracks that moved most for their precision as PNG files "
                       "into this folder");
  _command->add_flag("--quiet", _session.quiet, "No progress and no plug-in console lines");
  AddBvhImportOptions(*_command, _session.bvh);
  _command->add_option("--plugins", _session.plugins,
                       "Plug-in folder (default: plugins/ next to the program)");
  _command->add_flag("--save-partial", _savePartial,
                     "After Ctrl-C, save the tracks that were finished");
  _command->add_flag("--strict", _strict,
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

// INPUT's name with ".thin.json" instead of its extension, so INPUT itself is never replaced.
std::string ReduceCommand::OutputPath() const {
  if (!_output.empty()) return _output;
  return standin::Utf8FromPath(
      standin::PathFromUtf8(_session.input).replace_extension(".thin.json"));
}

int ReduceCommand::Run() {
  const OutputPathCheck paths = CheckOutputPaths(_session.input, OutputPath(), _report);
  if (!paths.message.empty()) return Fail(paths.exitCode, paths.message);
  const std::optional<OutputFormat> format = OutputFormatOf(OutputPath());
  if (!format) return Fail(kExitBadUsage, UnknownFormatMessage(OutputPath()));
  _format = *format;
  HostSession session;
  GeDialog* dialog = nullptr;
  const int started = StartSession(_session, session, dialog);
  if (started != kExitSuccess) return started;
  const std::string notBvh =
      _format == OutputFormat::kBvh ? WhyNotBvh(*session.Document()) : std::string();
  if (!notBvh.empty()) return Fail(kExitFileError, OutputPath() + ": cannot write BVH: " + notBvh);
  InstallInterruptHandler();
  DialogDriver driver(*dialog);
  ReduceJob job(driver, *session.Document());
  return Reduce(job);
}

int ReduceCommand::Reduce(ReduceJob& job) {
  const std::string gatherError = job.Gather(_selected);
  if (!gatherError.empty()) return Fail(kExitFileError, gatherError);
  std::string notes;
  const std::string settingsError = job.ApplySettings(Choice(), notes);
  if (!settingsError.empty()) return Fail(kExitBadUsage, settingsError);
  if (!notes.empty() && !_session.quiet) std::cerr << "thinfold: " << notes << "\n";
  ProgressDisplay progress(ProgressDisplay::ModeFor(_session.quiet), std::cerr);
  job.Run(progress);
  const ReduceSummary summary = job.Finish();
  if (job.StopAsked()) return Fail(kExitInterrupted, "stopped after the run: nothing saved");
  std::cout << ResultTable(summary) << TotalLine(summary) << std::flush;
  if (job.End() == RunEnd::kNotStarted)
    std::cerr << "thinfold: the run did not start: " << job.StatusText() << "\n";
  if (job.Interrupted() && !_savePartial)
    return Fail(kExitInterrupted, "stopped: nothing saved (--save-partial keeps finished tracks)");
  const int saved = Save(job, summary);
  if (saved != kExitSuccess) return saved;
  const std::string plotError =
      _plot.empty() ? std::string()
                    : PlotWorstOfReduction(*job.Before(), _session.input, job.Document(),
                                           OutputPath(), _plot, kPlottedTracks);
  if (!plotError.empty())
    return Fail(kExitFileError, OutputPath() + " is saved, but no plot is: " + plotError);
  if (job.Interrupted())
    return Fail(kExitInterrupted, "stopped: " + OutputPath() + " holds the finished tracks");
  if (_strict && CountAbovePrecision(summary) > 0)
    return Fail(kExitTrackFailed, "--strict: " + PrecisionVerdict(summary));
  const bool failed = AnyFailed(summary) || job.End() == RunEnd::kNotStarted;
  return failed ? kExitTrackFailed : kExitSuccess;
}

// The scene and the report are written in full, or neither replaces anything.
int ReduceCommand::Save(const ReduceJob& job, const ReduceSummary& summary) const {
  const SceneWriteResult scene = WriteDocumentText(job.Document(), _format);
  if (!scene.error.empty()) return Fail(kExitFileError, OutputPath() + ": " + scene.error);
  const std::string report = _report.empty() ? std::string() : ReportJson(summary);
  std::vector<FileToWrite> files = {{OutputPath(), scene.text}};
  if (!_report.empty()) files.push_back({_report, report});
  std::string error;
  const WriteEnd end = WriteTextFilesAtomically(
      files, [&job] { return job.StopAsked(); }, error);
  if (end == WriteEnd::kStopped)
    return Fail(kExitInterrupted, "stopped while saving: nothing saved");
  return end == WriteEnd::kWritten ? kExitSuccess : Fail(kExitFileError, error);
}
