// `thinfold plot`.
#include "PlotCommand.h"

#include <cstdio>
#include <iostream>
#include <limits>

#include "BvhOptions.h"
#include "ExitCodes.h"
#include "PathOption.h"
#include "ResultReport.h"
#include "SceneInput.h"
#include "TextTable.h"
#include "plot/PlotRun.h"

namespace {

int Fail(int exitCode, const std::string& message) {
  std::cerr << "thinfold: " << message << "\n";
  return exitCode;
}

std::string Formatted(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string PlotTable(const std::vector<WrittenPlot>& plots) {
  TextTable table({{"PLOT", TextTable::Align::kLeft},
                   {"BEFORE", TextTable::Align::kRight},
                   {"AFTER", TextTable::Align::kRight},
                   {"MAX DEV", TextTable::Align::kRight},
                   {"PRECISION", TextTable::Align::kRight}});
  for (const WrittenPlot& plot : plots) {
    const TrackResult& measure = plot.measure;
    table.AddRow({plot.path, std::to_string(measure.keysBefore), std::to_string(measure.keysAfter),
                  measure.maxDeviation ? Formatted("%.3f", *measure.maxDeviation) : "differs",
                  Formatted("%g", measure.precision)});
  }
  return table.Render();
}

}  // namespace

void PlotCommand::Register(CLI::App& app) {
  _command = app.add_subcommand(
      "plot", "Draw each track's curve before and after a reduction as a PNG file");
  _command->add_option("BEFORE", _before, "Scene or BVH file before the reduction")
      ->required()
      ->check(kNonEmptyPath);
  _command->add_option("AFTER", _after, "Scene file after the reduction")
      ->required()
      ->check(kNonEmptyPath);
  _command->add_option("-o,--output", _folder, "Folder for the PNG files (made if missing)")
      ->required()
      ->check(kNonEmptyPath);
  _command->add_option("--track", _tracks,
                       "Plot only this track: ELEMENT.TRACK with ELEMENT and TRACK as "
                       "`thinfold info` lists them (Hips/Chest.Xrotation), or a track name "
                       "that only one track has; repeat for several (default: every value and "
                       "data track)");
  _command
      ->add_option("--worst", _worst,
                   "Plot only the N tracks (of those chosen) whose curves moved most "
                   "relative to their precision")
      ->check(CLI::Range(1, std::numeric_limits<int>::max()));
  AddBvhImportOptions(*_command, _bvh);
}

int PlotCommand::Run() const {
  const Status usage = CheckBvhImportOptions(_bvh, {_before, _after});
  if (!usage.Ok()) return Fail(kExitBadUsage, usage.error);
  const SceneReadResult before = ReadInputFile(_before, _bvh);
  if (!before.document) return Fail(ReadFailureExitCode(before), before.error);
  const SceneReadResult after = ReadInputFile(_after, _bvh);
  if (!after.document) return Fail(ReadFailureExitCode(after), after.error);
  PlotRequest request;
  request.trackNames = _tracks;
  request.worstCount = static_cast<size_t>(_worst);
  const PlotRunResult result =
      WriteTrackPlots(*before.document, _before, *after.document, _after, request, _folder);
  if (!result.error.empty()) return Fail(kExitFileError, result.error);
  if (result.plots.empty())
    std::cout << "no value or data tracks to plot\n";
  else
    std::cout << PlotTable(result.plots);
  return kExitSuccess;
}
