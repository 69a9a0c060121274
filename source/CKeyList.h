// One track's snapshot of keys and the samples of a curve.
#ifndef CKEYLIST_H
#define CKEYLIST_H

#include <mutex>

#include "CTrackSubData.h"
#include "ReductionTypes.h"
#include "c4d.h"

// Status codes of a key list; the tree view draws status icon _status.
enum {
  KEYSTATUS_NONE = 0,       // not processed since the snapshot or the last restore
  KEYSTATUS_UNCHANGED = 1,  // the run did not reduce the key count; the snapshot is back
  KEYSTATUS_REDUCED = 2,    // the run left fewer keys than the snapshot
  KEYSTATUS_FAILED = 3,     // the reduction failed or was stopped
  KEYSTATUS_BUSY = 4,       // being processed
};

// Outcome of the last run of a key list on a worker thread.
enum ThreadResult : LONG {
  THREADRESULT_NONE = 0,     // no run has finished
  THREADRESULT_OK = 1,       // the working curve holds a result that may be copied
  THREADRESULT_FAILED = -1,  // the run failed; its result is not copied
};

class TreeListNode;

// One track's record while the dialog keeps its list of tracks, and the unit of work of a run.
// The array holds the snapshot: one owned clone per key of the track's curve at SaveTrack time.
// The document, track and curve are held through host links, resolved on every use.
//
// Locking: the result members (_percent, _text, _newcount, _status, _threadresult) are written
// by the worker that runs the key list and read by the tree drawing on the main thread, so every
// read and write goes through _resultlock and readers get copies (Get*Field). The tree node's
// pointers to these members only mark that the node shows a key list's results; the tree reads
// the values through TreeListNode's readers, which take the lock.
class CKeyList : public GeDynamicArray<CKey*> {
 public:
  CKeyList();
  ~CKeyList();

  // Frees every snapshot key and empties the array; the curve is not touched.
  void FlushKeys();

  void SetBaseDocument(BaseDocument* doc);
  // The linked document, or null once it is gone.
  BaseDocument* GetBaseDocument() const;
  void SetTrack(CTrack* track);
  // The linked track in the linked document, or null.
  CTrack* GetTrack() const;
  void SetCurve(CCurve* curve);
  // The linked curve in the linked document, or null.
  CCurve* GetCurve() const;

  // Links doc, track and its curve, takes the snapshot of the track's keys and appends a tree
  // node for it to parent's children. FALSE (no snapshot, no node) for a track of a category
  // other than 1 or 2, a track without a curve, a null document or parent, or a failed
  // allocation.
  Bool SaveTrack(BaseDocument* doc, CTrack* track, TreeListNode* parent);
  // Puts the snapshot back on the curve and clears the result members (_threadresult stays).
  // TRUE without any change for an inactive track; FALSE when track or curve is gone, or when a
  // snapshot key could not be put back (the keys before it are on the curve). The callback is not
  // called; callers pass null.
  Bool RestoreTrack(ProgressCallback callback, void* cookie);
  // Replaces the keys of target's curve by clones of the own curve's keys. FALSE, with target
  // untouched, for a null target, a target without a curve, or a missing own track or curve;
  // TRUE without any change for an inactive own track. FALSE also when a key could not be copied;
  // target then holds the keys copied before it.
  Bool CopyTrack(CTrack* target);
  // Writes the own track's settings to target; FALSE for a null target or a missing own track.
  Bool CopyTrackSubData(CTrack* target);
  // Reduces the track by its settings, always starting from the snapshot; leaves status, text
  // and new key count. 1 on success (also for an inactive track), 0 on failure.
  int OptimizeTrack(ProgressCallback callback, void* cookie);

  // Progress and text of the current run (the progress callback stores them). Always TRUE.
  Bool SetPercentField(LONG percent);
  Bool SetTextField(const String& text);
  void SetThreadResult(ThreadResult result);
  ThreadResult GetThreadResult() const;

  // Copies of the result members, taken under the lock.
  LONG GetPercentField() const;
  String GetTextField() const;
  LONG GetNewCountField() const;
  LONG GetStatusField() const;

 private:
  Bool TakeSnapshot(CCurve* curve);
  // TRUE when every snapshot key went on the curve.
  Bool PutSnapshotOn(CCurve* curve) const;
  TreeListNode* MakeTreeNode(CTrack* track, LONG keyCount);
  void ClearLinks();
  void ClearResults();
  void SetStatusField(LONG status);
  void SetNewCountField(LONG newCount);
  void SetTextFromResource(LONG stringId);
  int OptimizeValueCurve(CCurve* curve, const CTrackSubData& settings, double tolerance, LONG fps,
                         ProgressCallback callback, void* cookie);
  // Keeps the reduced curve within the precision of the snapshot, or puts the snapshot back when
  // only as many keys would; 0 when stopped.
  int HoldToSnapshot(CCurve* curve, const CTrackSubData& settings, Real unitStep, LONG fps,
                     ProgressCallback callback, void* cookie);
  int RefuseNotFinite(CCurve* curve);
  int JudgeOutcome(CCurve* curve, int result, Bool isDataTrack);

  AutoAlloc<BaseLink> _doclink;
  AutoAlloc<BaseLink> _tracklink;
  AutoAlloc<BaseLink> _curvelink;
  LONG _percent = 0;
  String _text;
  LONG _newcount = 0;
  LONG _status = KEYSTATUS_NONE;
  ThreadResult _threadresult = THREADRESULT_NONE;
  mutable std::mutex _resultlock;
};

// The spline fit's parameters for a track's quality setting; a quality out of range acts as 0.
struct CFitQuality {
  double tangentStep;    // seconds between the tangent lengths tried, for both tangents
  double segmentLength;  // the longest segment tried, in seconds
};
CFitQuality FitQuality(LONG quality);

// The time between two reference samples at fps: half a frame as a host time (whole
// milliseconds), at least 1 ms so that sampling ends at any frame rate.
BaseTime GetSampleStep(LONG fps);

// Samples curve from its first to its last key every GetSampleStep(fps), then the last key's own
// value at its time. FALSE (samples emptied) for a curve without keys, fps below 1, key times
// whose milliseconds do not fit a LONG, too many samples, or a failed allocation.
Bool SampleCurve(CCurve* curve, LONG fps, CKeyValueArray& samples);

#endif
