// A plot run from two documents to the PNG files.
#include "PlotRun.h"

#include <filesystem>

#include "CurvePlot.h"
#include "PlotFiles.h"
#include "PlotPainter.h"
#include "PlotStyle.h"
#include "PrintableText.h"
#include "SceneInput.h"
#include "TrackChoice.h"
#include "TrackPairs.h"
#include "c4d_standin.h"

namespace {

struct ChosenTrack {
  const TrackPair* pair;
  TrackResult measure;
};

struct ChosenTracks {
  std::vector<ChosenTrack> tracks;
  std::string error;  // empty on success
};

// The named (or all plottable) tracks, measured, then cut to the worst when asked.
ChosenTracks ChooseTracks(const std::vector<TrackPair>& pairs, const PlotRequest& request, LONG fps,
                          const std::string& source) {
  TrackChoice choice = {PlottableTracks(pairs), ""};
  if (!request.trackNames.empty()) choice = FindNamedTracks(pairs, request.trackNames, source);
  if (!choice.error.empty()) return {{}, choice.error};
  std::vector<TrackResult> measures;
  std::vector<double> ratios;
  for (size_t index : choice.indices) {
    measures.push_back(MeasureTrack(*pairs[index].before, *pairs[index].after, fps));
    ratios.push_back(DeviationRatio(measures.back().maxDeviation, measures.back().precision));
  }
  std::vector<size_t> positions(choice.indices.size());
  for (size_t i = 0; i < positions.size(); ++i) positions[i] = i;
  if (request.worstCount > 0) positions = WorstTracks(positions, ratios, request.worstCount);
  ChosenTracks chosen;
  for (size_t position : positions)
    chosen.tracks.push_back({&pairs[choice.indices[position]], measures[position]});
  return chosen;
}

bool DrawPlot(const ChosenTrack& track, LONG fps, BaseBitmap& target) {
  // Two evaluations per pixel column.
  constexpr LONG sampleCount = 2 * (PlotLayout::Right() - PlotLayout::Left() + 1);
  const CurvePlot plot = MakeCurvePlot(*track.pair, fps, track.measure.precision,
                                       track.measure.maxDeviation, sampleCount);
  standin::RasterPicture picture(PlotLayout::kWidth, PlotLayout::kHeight, plot_style::kBackground);
  PaintCurvePlot(plot, picture);
  return picture.CopyTo(target);
}

}  // namespace

PlotRunResult WriteTrackPlots(const BaseDocument& before, const std::string& beforeName,
                              const BaseDocument& after, const std::string& afterName,
                              const PlotRequest& request, const std::string& folder) {
  const TrackPairing pairing =
      PairTracks(before, Printable(beforeName), after, Printable(afterName));
  if (!pairing.error.empty()) return {{}, pairing.error};
  const LONG fps = after.GetFps();
  const ChosenTracks choice = ChooseTracks(pairing.pairs, request, fps, Printable(beforeName));
  if (!choice.error.empty() || choice.tracks.empty()) return {{}, choice.error};
  const std::vector<ChosenTrack>& chosen = choice.tracks;
  std::vector<std::string> trackNames;
  for (const ChosenTrack& track : chosen) trackNames.push_back(track.pair->name);
  const std::vector<std::string> fileNames = PlotFileNames(trackNames);
  const PictureDrawer draw = [&chosen, fps](size_t index, BaseBitmap& target) {
    return DrawPlot(chosen[index], fps, target);
  };
  const Status written = WritePlotFiles(folder, fileNames, draw);
  if (!written.Ok()) return {{}, written.error};
  PlotRunResult result;
  for (size_t i = 0; i < chosen.size(); ++i)
    result.plots.push_back({standin::Utf8FromPath(standin::PathFromUtf8(folder) / fileNames[i]),
                            trackNames[i], chosen[i].measure});
  return result;
}

Status PlotWorstOfReduction(const BaseDocument& input, const std::string& inputName,
                            const BaseDocument& reduced, const std::string& reducedName,
                            const std::string& folder, size_t worstCount) {
  PlotRequest request;
  request.worstCount = worstCount;
  return {WriteTrackPlots(input, inputName, reduced, reducedName, request, folder).error};
}
