// One input of `thinfold reduce`.
#include "ReduceRun.h"

#include <iostream>
#include <vector>

#include "BvhWriter.h"
#include "ExitCodes.h"
#include "GatheredTracks.h"
#include "InterruptSignal.h"
#include "PrintableText.h"
#include "ResultReport.h"
#include "SceneDocument.h"
#include "TextFile.h"
#include "plot/PlotRun.h"

namespace {

// --plot draws this many of the tracks that moved most.
constexpr size_t kPlottedTracks = 10;

InputOutcome Failed(int exitCode, const std::string& message) {
  InputOutcome outcome;
  outcome.exitCode = exitCode;
  outcome.message = message;
  return outcome;
}

// The output and the report are written in full, or neither replaces anything.
InputOutcome Save(const ReduceJob& job, const ReduceSummary& summary, const PlannedRun& run,
                  const std::string& reportPath) {
  const SceneWriteResult output = WriteDocumentText(job.Document(), run.format);
  if (!output.error.empty())
    return Failed(kExitFileError, Printable(run.output) + ": " + output.error);
  const std::string report = reportPath.empty() ? std::string() : ReportJson(summary);
  std::vector<FileToWrite> files = {{run.output, output.text}};
  if (!reportPath.empty()) files.push_back({reportPath, report});
  const WriteFilesResult written =
      WriteTextFilesAtomically(files, [&job] { return job.StopAsked(); });
  if (written.end == WriteEnd::kStopped)
    return Failed(kExitInterrupted, "stopped while saving: nothing saved");
  return written.end == WriteEnd::kWritten ? InputOutcome() : Failed(kExitFileError, written.error);
}

// After the run: the table, the save, the plots, and the exit code they come to.
// before is the document as it was read, kept only when plotting.
InputOutcome Conclude(const ReduceOptions& options, ReduceJob& job, const BaseDocument* before,
                      const PlannedRun& run, const std::string& report) {
  const ReduceSummary summary = job.Finish();
  if (job.StopAsked()) return Failed(kExitInterrupted, "stopped after the run: nothing saved");
  std::cout << ResultTable(summary) << TotalLine(summary) << std::flush;
  if (job.End() == RunEnd::kNotStarted)
    std::cerr << "thinfold: the run did not start: " << job.StatusText() << "\n";
  InputOutcome outcome;
  if (job.Interrupted() && !options.savePartial)
    outcome =
        Failed(kExitInterrupted, "stopped: nothing saved (--save-partial keeps finished tracks)");
  else
    outcome = Save(job, summary, run, report);
  outcome.summary = summary;
  if (outcome.exitCode != kExitSuccess) return outcome;
  outcome.saved = true;
  std::cout << "saved " << Printable(run.output) << (report.empty() ? "" : " and " + report) << "\n"
            << std::flush;
  const Status plotted = options.plot.empty()
                             ? Status{}
                             : PlotWorstOfReduction(*before, run.input, job.Document(), run.output,
                                                    options.plot, kPlottedTracks);
  if (!plotted.Ok()) {
    outcome.exitCode = kExitFileError;
    outcome.message = Printable(run.output) + " is saved, but no plot is: " + plotted.error;
  } else if (job.Interrupted()) {
    outcome.exitCode = kExitInterrupted;
    outcome.message = "stopped: " + Printable(run.output) + " holds the finished tracks";
  } else if (options.strict && CountAbovePrecision(summary) > 0) {
    outcome.exitCode = kExitTrackFailed;
    outcome.message = "--strict: " + PrecisionVerdict(summary);
  } else if (AnyFailed(summary) || job.End() == RunEnd::kNotStarted) {
    outcome.exitCode = kExitTrackFailed;
  }
  return outcome;
}

InputOutcome Reduce(const ReduceOptions& options, ReduceJob& job, const PlannedRun& run,
                    const std::string& report) {
  // Measuring needs only the gathered curves; plotting pairs every track of the two documents.
  const DocumentPtr before(
      options.plot.empty() ? nullptr : static_cast<BaseDocument*>(job.Document().GetClone()));
  if (!options.plot.empty() && !before)
    return Failed(kExitFileError, "the document cannot be copied for plotting: out of memory");
  const Status gathered = job.Gather(options.selected);
  if (!gathered.Ok()) return Failed(kExitFileError, gathered.error);
  const SettingsResult settings = job.ApplySettings(options.choice);
  if (!settings.error.empty()) return Failed(kExitBadUsage, settings.error);
  if (!settings.note.empty() && !options.session.quiet)
    std::cerr << "thinfold: " << settings.note << "\n";
  ProgressDisplay progress(ProgressDisplay::ModeFor(options.session.quiet), std::cerr);
  job.Run(progress);
  return Conclude(options, job, before.get(), run, report);
}

}  // namespace

InputOutcome ReduceInput(const ReduceOptions& options, const PlannedRun& run,
                         const std::string& report) {
  SessionOptions session = options.session;
  session.input = run.input;
  HostSession host;
  const SessionStartResult started = OpenSession(session, host);
  if (started.exitCode != kExitSuccess) return Failed(started.exitCode, started.error);
  if (options.selected && !SelectsAnything(*host.Document()))
    return Failed(kExitBadUsage, "--selected: " + Printable(run.input) +
                                     " selects no object, tag or material (its scene file has no "
                                     "\"selection\" and no \"selected\" element): nothing to "
                                     "reduce, nothing written");
  const Status bvh =
      run.format == OutputFormat::kBvh ? CheckWritableAsBvh(*host.Document()) : Status{};
  if (!bvh.Ok())
    return Failed(kExitFileError, Printable(run.output) + ": cannot write BVH: " + bvh.error);
  InstallInterruptHandler();
  DialogDriver driver(*started.dialog);
  ReduceJob job(driver, *host.Document());
  return Reduce(options, job, run, report);
}
