#include "CBakeControlThread.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "CCurveList.h"
#include "CKeyList.h"
#include "CTrackSettingsLock.h"

namespace {

void Post(LONG kind, int value) {
  SpecialEventAdd(ID_THINFOLD, static_cast<VULONG>(kind), static_cast<VULONG>(value));
}

// The whole percentage, truncated toward zero; out-of-range or NaN reports stay in 0..100.
int WholePercent(double percent) {
  if (!(percent > 0.0)) return 0;
  if (percent >= 100.0) return 100;
  return static_cast<int>(std::trunc(percent));
}

// One worker per processor, but the worker table has BAKE_MAX_WORKERS places.
int WorkerCount() {
  const LONG processors = GeGetCPUCount();
  if (processors < 1) return 1;
  return processors > BAKE_MAX_WORKERS ? BAKE_MAX_WORKERS : static_cast<int>(processors);
}

// The tree's track nodes by the key list whose results they show, from one walk over the tree:
// a lookup per key list would make filling the stack quadratic in the tracks.
std::unordered_map<const CKeyList*, const TreeListNode*> NodesByKeyList(CCurveList& curveList) {
  std::unordered_map<const CKeyList*, const TreeListNode*> nodes;
  for (CTreeListObj* obj = curveList.GetListRoot()->_children.GetFirst(); obj; obj = obj->GetNext())
    if (const auto* node = static_cast<const TreeListNode*>(obj); node->_keylist)
      nodes.emplace(node->_keylist, node);
  return nodes;
}

// The tree's check box writes the node's settings copy on the main thread during a run. A key
// list whose track is gone is not active.
Bool IsActiveInTree(const TreeListNode* node, CKeyList* keyList) {
  if (!node || !keyList->GetTrack()) return FALSE;
  CTrackSettingsGuard guard;
  return node->_subdata.active ? TRUE : FALSE;
}

// The active key lists, the most keys first: the workers take them in this order, so a long
// track starts early instead of running on alone after the others are done. A track's work
// grows with its keys. Equal counts keep the curve list's order, so a run's order is fixed.
std::vector<CKeyList*> ActiveLongestFirst(CCurveList& curveList) {
  const auto nodes = NodesByKeyList(curveList);
  std::vector<CKeyList*> active;
  for (VLONG i = 0; i < curveList.GetCount(); ++i) {
    CKeyList* keyList = curveList[i];
    const auto node = nodes.find(keyList);
    if (keyList && node != nodes.end() && IsActiveInTree(node->second, keyList))
      active.push_back(keyList);
  }
  std::stable_sort(active.begin(), active.end(), [](const CKeyList* a, const CKeyList* b) {
    return a->GetCount() > b->GetCount();
  });
  return active;
}

}  // namespace

int cb_func(CKeyList* keyList, double percent, const String& text, void* cookie) {
  if (!cookie) return 1;
  cb_cookie* context = static_cast<cb_cookie*>(cookie);
  Bool changed = FALSE;
  const int whole = WholePercent(percent);
  if (whole != context->last_percent) {
    if (keyList) keyList->SetPercentField(whole);
    context->last_percent = whole;
    changed = TRUE;
  }
  if (text != context->last_text) {
    if (keyList) keyList->SetTextField(text);
    context->last_text = text;
    changed = TRUE;
  }
  // The post comes after the store, so the redraw shows the new values.
  if (changed) Post(MSG_TREE, TREE_REDRAW_LINES);
  C4DThread* mp_thread = context->mp_thread;
  DebugAssert(mp_thread);
  return mp_thread && mp_thread->TestBreak() ? 0 : 1;
}

MPThread::~MPThread() { End(TRUE); }

void MPThread::Main() {
  TakeItems();
  if (ends) ends->OneEnded();
}

void MPThread::TakeItems() {
  CNodeWrapper node;
  while (stack && stack->Pop(&node)) {
    if (TestBreak()) return;
    DebugAssert(node._kl);
    if (node._kl) ProcessItem(node._kl);
  }
}

void MPThread::ProcessItem(CKeyList* keyList) {
  cb_cookie cookie;
  cookie.mp_thread = this;
  const int result = keyList->OptimizeTrack(cb_func, &cookie);
  keyList->SetThreadResult(result == 1 ? THREADRESULT_OK : THREADRESULT_FAILED);
}

CBakeControlThread::CBakeControlThread(CCurveList** curveList)
    : curve_list(curveList), initial_size(0) {}

// Main uses the stack and the curve list pointer: the thread must end before they go.
CBakeControlThread::~CBakeControlThread() { End(TRUE); }

void CBakeControlThread::Main() {
  const int itemCount = FillStack(stack);
  initial_size.store(itemCount, std::memory_order_release);
  const RunOutcome outcome = itemCount == 0 ? RunOutcome::NotStarted : RunWorkers(WorkerCount());
  // The last act: after this post the dialog may delete this object.
  if (outcome != RunOutcome::Stopped) Post(MSG_RUN_OVER, RUN_DONE);
}

// The workers and their table live in this frame; they are destroyed, last to first, before the
// pool when this returns.
CBakeControlThread::RunOutcome CBakeControlThread::RunWorkers(int workerCount) {
  MPThreadPool pool;
  MPThread workers[BAKE_MAX_WORKERS];
  C4DThread* table[BAKE_MAX_WORKERS] = {};
  for (int i = 0; i < workerCount; ++i) {
    workers[i].stack = &stack;
    workers[i].ends = &worker_ends;
    table[i] = &workers[i];
  }
  worker_ends.Begin(workerCount);
  if (!pool.Init(*this, workerCount, table)) return RunOutcome::NotStarted;
  if (!pool.Start(THREADPRIORITY_BELOW)) return RunOutcome::NotStarted;
  const Bool finished = WaitForMPThreads(*this);
  StopAllMPThreads(*this, workerCount, table);
  pool.Wait();
  if (finished) return RunOutcome::Done;
  Post(MSG_RUN_OVER, RUN_STOPPED);
  return RunOutcome::Stopped;
}

// Every active track goes on the stack, or none: a run that left out a track it could not stack
// would end as if that track had been reduced.
int CBakeControlThread::FillStack(CStack<CNodeWrapper>& target) {
  CCurveList* curveList = curve_list ? *curve_list : nullptr;
  if (!curveList) return target.GetSize();
  for (CKeyList* keyList : ActiveLongestFirst(*curveList)) {
    if (!target.Push(CNodeWrapper(keyList))) {
      CNodeWrapper dropped;
      while (target.Pop(&dropped)) {
      }
      return 0;
    }
  }
  return target.GetSize();
}

Bool CBakeControlThread::WaitForMPThreads(const C4DThread&) {
  for (;;) {
    if (TestBreak()) return FALSE;
    const int running = worker_ends.Unfinished();
    Post(MSG_PROGRESS, stack.GetSize() + running);
    if (running == 0) return TRUE;
    worker_ends.WaitForAnEnd(BAKE_POLL_MS);
  }
}

void CBakeControlThread::StopAllMPThreads(const C4DThread&, int count, C4DThread** threads) {
  for (int i = 0; i < count; ++i)
    if (threads[i]) threads[i]->End(FALSE);
}
