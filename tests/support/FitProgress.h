// A progress callback that records every report and can ask the stage to stop at a given report.
#ifndef FIT_PROGRESS_H
#define FIT_PROGRESS_H

#include <string>
#include <vector>

#include "CKeyList.h"

struct FitReport {
  double percent;
  std::string text;
};

struct FitRecorder {
  std::vector<FitReport> reports;
  int stopAtReport = -1;  // index of the report answered with 0; -1 never
};

// The ProgressCallback form; the cookie is a FitRecorder.
inline int RecordFitProgress(CKeyList*, double percent, const String& text, void* cookie) {
  auto* recorder = static_cast<FitRecorder*>(cookie);
  recorder->reports.push_back({percent, text.ToUtf8()});
  return int(recorder->reports.size()) - 1 == recorder->stopAtReport ? 0 : 1;
}

#endif
