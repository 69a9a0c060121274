// The outcome of a reduction as text: the result table with its total line for the console, and
// the report file's JSON ({"tracks": [...], "tracks_above_precision": ..., "seconds": ...}); for
// several inputs a grand total line and a report with one such entry per input.
#ifndef THINFOLD_RESULT_REPORT_H
#define THINFOLD_RESULT_REPORT_H

#include <optional>
#include <string>
#include <vector>

#include "TrackResults.h"

// One line per track (name, keys before and after, status text, largest deviation, a ">" when
// the track is not within its precision, precision), each ending in a newline, and MeasureNote's
// line when there is one.
std::string ResultTable(const ReduceSummary& summary);
// A track's MAX DEV as the tables show it: "0.512", "differs" for data that cannot be measured,
// "nan" for a curve that is not finite, with "*" for a track measured at and around its keys
// and turns only.
std::string DeviationText(const TrackResult& track);
// The line under a table that explains "*", with a newline; empty when no track has it.
std::string MeasureNote(const std::vector<TrackResult>& tracks);
// "all tracks within their precision", or how many are not ("3 tracks above their precision").
std::string PrecisionVerdict(const ReduceSummary& summary);
// "total: 72 tracks, 103680 → 5210 keys (95.0 % fewer), 2.41 s, 29.9 tracks/s, all tracks within
// their precision", with a newline; tracks/s counts the tracks the run processed.
std::string TotalLine(const ReduceSummary& summary);
// The report file's text.
std::string ReportJson(const ReduceSummary& summary);

// One input of several.
struct InputReport {
  std::string input;
  std::string output;
  int exitCode = 0;
  std::string error;                     // why it failed; empty: it did not
  std::optional<ReduceSummary> summary;  // when its run ended
  bool saved = false;
};
// The highest exit code of the inputs': a failure outranks failed tracks, a stop outranks both.
int WorstExitCode(const std::vector<InputReport>& inputs);
// "grand total: 3 inputs (2 saved), 144 tracks, 207360 → 2588 keys (98.8 % fewer), ...", with
// a newline: the total line of all inputs' tracks together.
std::string GrandTotalLine(const std::vector<InputReport>& inputs);
// {"inputs": [{"input", "output", "saved", "exit_code", "error", and the entries of a single
// report}], "tracks_above_precision", "seconds", "exit_code"}: exit_code is the worst of the
// inputs', error null where there is none, and an input whose run did not end has no tracks.
std::string SeveralInputsReportJson(const std::vector<InputReport>& inputs);

#endif
