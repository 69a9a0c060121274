// `thinfold reduce` through the dialog, as a person works it: press the gather button, select
// every track in the tree, set the chosen settings in the parameter sub-dialog, press start,
// wait for the end of the run (pressing stop on Ctrl-C), read the tree, close the dialog. The
// document then holds the results and the settings; the job measures them against the gathered
// tracks' curves kept before gathering.
#ifndef THINFOLD_REDUCE_JOB_H
#define THINFOLD_REDUCE_JOB_H

#include <optional>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "GatheredTracks.h"
#include "KeptCurve.h"
#include "ProgressDisplay.h"
#include "Status.h"
#include "TrackResults.h"

// The settings given on the command line; the others stay as the tracks have them.
struct SettingsChoice {
  std::optional<double> precision;
  std::optional<int> method;
  std::optional<int> quality;
  std::optional<bool> hold;
  bool Any() const { return precision || method || quality || hold; }
};

struct SettingsResult {
  std::string note;   // for the user, not a failure
  std::string error;  // empty on success
};

class ReduceJob {
 public:
  // doc is the active document the dialog works on.
  ReduceJob(DialogDriver& driver, BaseDocument& doc);

  // Keeps the curves of the tracks the gather button takes, then presses it; an error when the
  // tree does not list the tracks the host expects, in its order.
  Status Gather(bool selectedOnly);
  // Selects every line (a value track's first, so that the parameter sub-dialog shows) and
  // enters the chosen settings; an error naming the option the dialog refused. The note says
  // when settings were chosen but no value track was gathered.
  SettingsResult ApplySettings(const SettingsChoice& choice);
  // Presses start and waits for the end, showing progress; a Ctrl-C presses stop.
  void Run(ProgressDisplay& progress);
  // Reads the tree, closes the dialog and measures every gathered track; measuring ends early
  // when StopAsked.
  ReduceSummary Finish();

  const BaseDocument& Document() const { return _doc; }
  // A Ctrl-C stopped the run.
  bool Interrupted() const { return _interrupted; }
  // A Ctrl-C came after a run that ended by itself: what follows the run stops, nothing is saved.
  bool StopAsked() const;
  RunEnd End() const { return _end; }
  // The status bar's text after the run.
  std::string StatusText() const { return _driver.StatusBar().text; }

 private:
  Status ApplyPrecision(const SettingsChoice& choice);
  Status ApplyQualityAndMethod(const SettingsChoice& choice);
  Status ApplyHold(const SettingsChoice& choice);
  void SelectAllLines(LONG firstLine);

  DialogDriver& _driver;
  BaseDocument& _doc;
  std::vector<GatheredTrack> _tracks;  // in the document
  std::vector<KeptCurve> _kept;        // their curves before the run
  std::vector<std::string> _names;     // each track's one name (TrackNames.h)
  double _seconds = 0;
  bool _interrupted = false;
  RunEnd _end = RunEnd::kNotStarted;
};

#endif
