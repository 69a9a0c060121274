#include "StageProgress.h"

#include "ThinfoldIds.h"

CStageProgress::CStageProgress(CKeyList* keyList, ProgressCallback callback, void* cookie)
    : _keyList(keyList), _callback(callback), _cookie(cookie) {
  // Loaded once: a stage reports after every step.
  if (_callback) _workingText = GeLoadString(IDS_WORKING);
}

bool CStageProgress::Step(double percent) {
  if (!_callback || _callback(_keyList, percent, _workingText, _cookie)) return true;
  _callback(_keyList, percent, GeLoadString(IDS_STOPPED), _cookie);
  return false;
}

void CStageProgress::Done() {
  if (_callback) _callback(_keyList, 100.0, GeLoadString(IDS_DONE), _cookie);
}
