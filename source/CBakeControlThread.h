// A reduction run off the main thread. The control thread puts one work item per active key
// list on the work stack, runs one worker per processor (at most 64) through the host's thread
// pool, reports the unfinished items every 50 ms and posts the end of the run. Each worker takes
// items until the stack is empty and reduces each key list with the progress callback cb_func.
// Nothing here calls the dialog: everything reaches it as a core message (SpecialEventAdd).
#ifndef CBAKECONTROLTHREAD_H
#define CBAKECONTROLTHREAD_H

#include <atomic>

#include "CStack.h"
#include "ThinfoldIds.h"
#include "c4d.h"

class CCurveList;
class CKeyList;

// Period of the control thread's wait loop.
enum { BAKE_POLL_MS = 50 };

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
  MPThread() : stack(nullptr) {}
  ~MPThread() override;
  void Main() override;
  const CHAR* GetThreadName() override { return "MPThread"; }

  CStack<CNodeWrapper>* stack;  // the control thread's; set before the pool starts

 private:
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

  // Pushes an item for every key list whose tree node is active, in the curve list's order;
  // returns the stack's size afterwards, or 0 with the stack emptied when an item cannot be
  // pushed (then nothing runs, as when the pool cannot start).
  int FillStack(CStack<CNodeWrapper>& target);
  // Posts progress every BAKE_POLL_MS until no worker runs (TRUE) or this thread is asked to
  // stop (FALSE). The parent is not used: the break test is made on this thread.
  Bool WaitForMPThreads(const C4DThread& parent, int count, C4DThread** threads);
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
};

#endif
