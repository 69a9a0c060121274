// The progress of a run on stderr: a bar redrawn in place on a terminal, a plain line every
// few seconds otherwise (logs, pipes), nothing when quiet. It shows what the dialog's status
// bar shows (the percentage and done/all tracks) and the tracks per second so far.
#ifndef THINFOLD_PROGRESS_DISPLAY_H
#define THINFOLD_PROGRESS_DISPLAY_H

#include <chrono>
#include <ostream>
#include <string>

#include "DialogDriver.h"

class ProgressDisplay {
 public:
  enum class Mode { kBar, kLines, kQuiet };
  // kBar when stderr is a terminal, else kLines; kQuiet when quiet.
  static Mode ModeFor(bool quiet);

  ProgressDisplay(Mode mode, std::ostream& out);
  // The status bar now; call it often, it decides when to draw.
  void Show(const StatusBarView& status);
  // Ends the display: the bar's line is cleared.
  void Finish();

 private:
  std::string Describe(const StatusBarView& status, double seconds) const;

  Mode _mode;
  std::ostream& _out;
  std::chrono::steady_clock::time_point _start;
  double _lastLineSeconds = -1e9;
  bool _barShown = false;
};

// The done and all counts of a status text "done/all"; false for any other text.
bool ParseDoneOfAll(const std::string& text, long& done, long& all);

#endif
