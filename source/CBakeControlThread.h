// A reduction run off the main thread. The control thread puts one work item per active key
// list on the work stack, runs one worker per processor (at most 64) through the host's thread
// pool, reports the unfinished items every 50 ms and posts the end of the run as soon as the
// last worker has ended. Each worker takes items until the stack is empty and reduces each key
// list with the progress callback cb_func.
// Nothing here calls the dialog: everything reaches it as a core message (SpecialEventAdd).
#ifndef CBAKECONTROLTHREAD_H
#define CBAKECONTROLTHREAD_H

#include <atomic>

#include "CStack.h"
#include "ThinfoldIds.h"
#include "c4d.h"

class CCurveList;
class CKeyList;

// Period of the control thread's progress reports.
enum { BAKE_POLL_MS = 50 };

// The workers of a run that have not ended yet. Each worker tells it when it ends, so the control
// thread wakes for the last end at once instead of at its next progress report.
class CWorkerEnds {
 public:
  void Begin(int count) { _unfinished.store(count, std::memory_order_release); }
  // The count drops before the signal is set: a control thread woken by it sees the new count.
  void OneEnded() {
    _unfinished.fetch_sub(1, std::memory_order_acq_rel);
    _ended.Set();
  }
  int Unfinished() const { return _unfinished.load(std::memory_order_acquire); }
  // Returns when a worker has ended since the last wait, or after timeoutMs.
  void WaitForAnEnd(LONG timeoutMs) { _ended.Wait(timeoutMs); }

 private:
  std::atomic<int> _unfinished{0};
  GeSignal _ended;
};

// The context of one item for cb_func; lives on the worker's stack for one OptimizeTrack call.
// The -1 and "?" start makes the first report of an item always store and post.
class cb_cookie {
 public:
  cb_cookie() : mp_thread(nullptr), last_percent(-1), last_text("?") {}
  ~cb_cookie() {}

  C4DThread* mp_thread;  // the worker that runs the item; asked whether to stop
  int last_percent;      // the last whole percentage stored in the key list
  String last_text;      // the last text stored in the key list
};

// The progress callback of a run: stores a changed whole percentage (truncated, 0..100) or text
// in the key list and then posts one tree redraw. Returns 0 when the worker is asked to stop,
// else 1. A null cookie stores nothing and returns 1.
int cb_func(CKeyList* keyList, double percent, const String& text, void* cookie);

// A worker: pops items until the stack is empty or a stop is asked, and reduces each. A worker
// that is asked to stop drops the item it has just taken.
class MPThread : public C4DThread {
 public:
  MPThread() : stack(nullptr), ends(nullptr) {}
  ~MPThread() override;
  void Main() override;
  const CHAR* GetThreadName() override { return "MPThread"; }

  CStack<CNodeWrapper>* stack;  // the control thread's; set before the pool starts
  CWorkerEnds* ends;            // told when Main ends, when set (before the pool starts)

 private:
  void TakeItems();
  void ProcessItem(CKeyList* keyList);
};

// The control thread of one run. The dialog makes a new one per run and may delete it on the
// end message: the destructor waits for the thread to end first.
class CBakeControlThread : public C4DThread {
 public:
  // curveList points to the dialog's pointer to its curve list, read when the stack is filled.
  explicit CBakeControlThread(CCurveList** curveList);
  ~CBakeControlThread() override;

  void Main() override;
  const CHAR* GetThreadName() override { return "CBakeControlThread"; }

  // Pushes an item for every key list whose tree node is active, the ones with the most keys
  // first and equal counts in the curve list's order;
  // returns the stack's size afterwards, or 0 with the stack emptied when an item cannot be
  // pushed (then nothing runs, as when the pool cannot start).
  int FillStack(CStack<CNodeWrapper>& target);
  // Posts progress every BAKE_POLL_MS until every worker of the run has ended (TRUE, at once
  // after the last end) or this thread is asked to stop (FALSE). The parent is not used: the
  // break test is made on this thread.
  Bool WaitForMPThreads(const C4DThread& parent);
  // Asks every non-null entry of the first count to stop, without waiting.
  void StopAllMPThreads(const C4DThread& parent, int count, C4DThread** threads);
  // The number of items of this run; 0 until the stack is filled.
  int GetInitialStackSize() const { return initial_size.load(std::memory_order_acquire); }

 private:
  enum class RunOutcome { Done, Stopped, NotStarted };
  RunOutcome RunWorkers(int workerCount);

  CCurveList** curve_list;
  std::atomic<int> initial_size;
  CStack<CNodeWrapper> stack;
  CWorkerEnds worker_ends;
};

#endif
