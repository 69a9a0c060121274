// The outcome of a reduction, track by track, as the host program reports it: the name and the
// status text from the dialog's tree, the key counts and the deviation measured on the document
// before and after, and the settings the track carries afterwards.
#ifndef THINFOLD_TRACK_RESULTS_H
#define THINFOLD_TRACK_RESULTS_H

#include <optional>
#include <string>
#include <vector>

#include "c4d.h"

// The key list status codes a track can show.
enum TrackStatus {
  kStatusNone = 0,
  kStatusUnchanged = 1,
  kStatusReduced = 2,
  kStatusFailed = 3,
  kStatusBusy = 4,
};

struct TrackResult {
  std::string name;
  LONG category = 0;
  LONG keysBefore = 0;
  LONG keysAfter = 0;
  int status = kStatusNone;
  std::string text;      // the tree's status text
  double precision = 0;  // in unit steps
  bool held = true;      // the track's hold setting
  // In unit steps (see CurveDeviation.h); none when data that cannot be measured differ.
  std::optional<double> maxDeviation;
  // FALSE when the curves span too long for every tenth of a frame: measured at and around
  // their keys and turns only.
  bool everyStepMeasured = true;
};

struct ReduceSummary {
  std::vector<TrackResult> tracks;
  double seconds = 0;  // from pressing start to the end of the run
};

// The status code that goes with a status text of the tree: the plug-in loads its texts from its
// string table, so the host reads the same table. An empty text is a track the run did not
// touch; a text that is none of the known ones is a failure's.
int StatusOfText(const std::string& text);

// One track measured: before and after are the same track in a copy of the document made before
// gathering and in the document after the run; fps is the document's.
TrackResult MeasureTrack(CTrack& before, CTrack& after, LONG fps);

// Tracks the run processed (their status is not kStatusNone), and whether any failed.
long CountProcessed(const ReduceSummary& summary);
bool AnyFailed(const ReduceSummary& summary);

// The largest deviation the track may show, in unit steps: a value track's precision; 0 for a
// data track, whose keys are only ever dropped where they repeat, so that its data stay
// unchanged everywhere (its precision is not used).
double AllowedDeviation(const TrackResult& track);
// Whether the deviation is measured and at most the allowed one.
bool IsWithinPrecision(const TrackResult& track);
long CountAbovePrecision(const ReduceSummary& summary);

#endif
