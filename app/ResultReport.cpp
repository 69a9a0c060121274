// The outcome of a reduction as text.
#include "ResultReport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>

#include "CurveDeviation.h"
#include "TextTable.h"

namespace {

// Between MAX DEV and PRECISION: the deviation is greater than the precision allows.
constexpr const char* kAboveMark = ">";
constexpr int kDeviationDecimals = 3;
constexpr int kMostDeviationDecimals = 9;

std::string Formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

double PerSecond(double count, double seconds) { return seconds > 0 ? count / seconds : 0.0; }

// How the report names the points a track was measured at.
const char* MeasuredPoints(const TrackResult& track) {
  return track.everyStepMeasured ? "every tenth of a frame" : "keys and turns";
}

std::string TotalFigures(const ReduceSummary& summary) {
  long long before = 0, after = 0;
  for (const TrackResult& track : summary.tracks) {
    before += track.keysBefore;
    after += track.keysAfter;
  }
  const double fewer = before > 0 ? 100.0 * static_cast<double>(before - after) / before : 0.0;
  return std::to_string(summary.tracks.size()) + " tracks, " + std::to_string(before) + " \u2192 " +
         std::to_string(after) + " keys (" + Formatted("%.1f", fewer) + " % fewer), " +
         Formatted("%.2f", summary.seconds) + " s, " +
         Formatted("%.1f",
                   PerSecond(static_cast<double>(CountProcessed(summary)), summary.seconds)) +
         " tracks/s, " + PrecisionVerdict(summary);
}

nlohmann::ordered_json ReportObject(const ReduceSummary& summary) {
  nlohmann::ordered_json tracks = nlohmann::ordered_json::array();
  for (const TrackResult& track : summary.tracks) {
    nlohmann::ordered_json entry = {{"name", track.name},
                                    {"category", track.category},
                                    {"keys_before", track.keysBefore},
                                    {"keys_after", track.keysAfter},
                                    {"status", track.status},
                                    {"text", track.text},
                                    {"precision", track.precision},
                                    {"max_deviation", nullptr},
                                    {"max_deviation_checks", MeasuredPoints(track)},
                                    {"held", track.held},
                                    {"within", IsWithinPrecision(track)}};
    if (track.maxDeviation) entry["max_deviation"] = *track.maxDeviation;
    tracks.push_back(std::move(entry));
  }
  return {{"tracks", std::move(tracks)},
          {"tracks_above_precision", CountAbovePrecision(summary)},
          {"seconds", summary.seconds}};
}

std::string Dumped(const nlohmann::ordered_json& report) {
  return report.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// Every input's tracks in one summary, and the time of all runs.
ReduceSummary Merged(const std::vector<InputReport>& inputs) {
  ReduceSummary merged;
  for (const InputReport& input : inputs) {
    if (!input.summary) continue;
    merged.tracks.insert(merged.tracks.end(), input.summary->tracks.begin(),
                         input.summary->tracks.end());
    merged.seconds += input.summary->seconds;
  }
  return merged;
}

}  // namespace

// Three decimals, or as many more as it takes for a deviation above the allowed one to read so
// (0.5003 with precision 0.5 shows as 0.5003, not 0.500).
std::string DeviationText(const TrackResult& track) {
  std::string figure = "differs";
  if (track.maxDeviation) {
    int decimals = kDeviationDecimals;
    figure = Fixed(*track.maxDeviation, decimals);
    while (!IsWithinPrecision(track) && decimals < kMostDeviationDecimals &&
           std::atof(figure.c_str()) <= AllowedDeviation(track))
      figure = Fixed(*track.maxDeviation, ++decimals);
  }
  return track.everyStepMeasured ? figure : figure + "*";
}

std::string MeasureNote(const std::vector<TrackResult>& tracks) {
  const bool any = std::any_of(tracks.begin(), tracks.end(),
                               [](const TrackResult& track) { return !track.everyStepMeasured; });
  if (!any) return std::string();
  return "* spans more than " + std::to_string(kMaxMeasuredSteps / 10) +
         " frames: measured at its keys, its turns and the tenths of a frame beside them only\n";
}

std::string ResultTable(const ReduceSummary& summary) {
  TextTable table({{"TRACK", TextTable::Align::kLeft},
                   {"BEFORE", TextTable::Align::kRight},
                   {"AFTER", TextTable::Align::kRight},
                   {"STATUS", TextTable::Align::kLeft},
                   {"MAX DEV", TextTable::Align::kRight},
                   {"", TextTable::Align::kLeft},
                   {"PRECISION", TextTable::Align::kRight}});
  for (const TrackResult& track : summary.tracks)
    table.AddRow({track.name, std::to_string(track.keysBefore), std::to_string(track.keysAfter),
                  track.text.empty() ? "-" : track.text, DeviationText(track),
                  IsWithinPrecision(track) ? "" : kAboveMark, Formatted("%g", track.precision)});
  return table.Render() + MeasureNote(summary.tracks);
}

std::string PrecisionVerdict(const ReduceSummary& summary) {
  const long above = CountAbovePrecision(summary);
  if (above == 0) return "all tracks within their precision";
  return std::to_string(above) + (above == 1 ? " track above its" : " tracks above their") +
         " precision";
}

std::string TotalLine(const ReduceSummary& summary) {
  return "total: " + TotalFigures(summary) + "\n";
}

std::string ReportJson(const ReduceSummary& summary) { return Dumped(ReportObject(summary)); }

int WorstExitCode(const std::vector<InputReport>& inputs) {
  int worst = 0;
  for (const InputReport& input : inputs) worst = std::max(worst, input.exitCode);
  return worst;
}

std::string GrandTotalLine(const std::vector<InputReport>& inputs) {
  const long saved = std::count_if(inputs.begin(), inputs.end(),
                                   [](const InputReport& input) { return input.saved; });
  return "grand total: " + std::to_string(inputs.size()) + " inputs (" + std::to_string(saved) +
         " saved), " + TotalFigures(Merged(inputs)) + "\n";
}

std::string SeveralInputsReportJson(const std::vector<InputReport>& inputs) {
  nlohmann::ordered_json entries = nlohmann::ordered_json::array();
  for (const InputReport& input : inputs) {
    nlohmann::ordered_json entry = {{"input", input.input},
                                    {"output", input.output},
                                    {"saved", input.saved},
                                    {"exit_code", input.exitCode},
                                    {"error", nullptr}};
    if (!input.error.empty()) entry["error"] = input.error;
    if (input.summary) entry.update(ReportObject(*input.summary));
    entries.push_back(std::move(entry));
  }
  const ReduceSummary merged = Merged(inputs);
  return Dumped({{"inputs", std::move(entries)},
                 {"tracks_above_precision", CountAbovePrecision(merged)},
                 {"seconds", merged.seconds},
                 {"exit_code", WorstExitCode(inputs)}});
}
