// One plot run: the tracks of a document before and after a reduction are matched, the tracks
// to show are chosen, measured and drawn, and their PNG files written all or none.
#ifndef THINFOLD_PLOT_RUN_H
#define THINFOLD_PLOT_RUN_H

#include <string>
#include <vector>

#include "../TrackResults.h"
#include "Status.h"
#include "c4d.h"

struct PlotRequest {
  // Tracks by their one name, full path or short name (TrackNames.h), or by a track name only
  // one track has; empty: every value and data track.
  std::vector<std::string> trackNames;
  // Above 0: only this many of those tracks, the ones whose curves moved most for their
  // precision, worst first.
  size_t worstCount = 0;
};

struct WrittenPlot {
  std::string path;
  std::string trackName;  // the track's one name
  TrackResult measure;    // key counts, precision and deviation (in unit steps)
};

struct PlotRunResult {
  std::vector<WrittenPlot> plots;  // in document order, or worst first
  std::string error;               // empty on success; nothing is written on error
};

// Plots the requested tracks of before (read from the file beforeName) and after (afterName)
// into folder, one PNG per track named after it (see PlotFileNames).
PlotRunResult WriteTrackPlots(const BaseDocument& before, const std::string& beforeName,
                              const BaseDocument& after, const std::string& afterName,
                              const PlotRequest& request, const std::string& folder);

// `thinfold reduce --plot DIR`: the reduced document (saved as reducedName) against the input
// as it was read (from inputName), plotting the worstCount tracks that moved most for their
// precision. Nothing is written on error.
Status PlotWorstOfReduction(const BaseDocument& input, const std::string& inputName,
                            const BaseDocument& reduced, const std::string& reducedName,
                            const std::string& folder, size_t worstCount);

#endif
