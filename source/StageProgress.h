// Progress reports of a reduction stage through the progress callback: a percentage with the
// working text after each step, the stop text once after a stop request, and the done text at
// the end. A null callback means no reports.
#ifndef STAGEPROGRESS_H
#define STAGEPROGRESS_H

#include "ReductionTypes.h"
#include "c4d.h"

class CStageProgress {
 public:
  CStageProgress(CKeyList* keyList, ProgressCallback callback, void* cookie);

  // Reports percent (0 to 100) with the working text. False when the callback asked to stop; it
  // has then been called once more with the same percent and the stop text.
  bool Step(double percent);
  // Reports 100 with the done text.
  void Done();

 private:
  CKeyList* _keyList;
  ProgressCallback _callback;
  void* _cookie;
  String _workingText;
};

#endif
