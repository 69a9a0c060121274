// Thread objects on std::thread, and the thread pool that runs them as children of a parent.
#include <system_error>

#include "c4d_standin.h"
#include "c4d_thread.h"

namespace {

// The thread object whose Main runs on the calling thread, so End and the destructor never wait
// for themselves.
thread_local C4DThread* tls_currentThread = nullptr;

std::atomic<int> g_poolFailure{static_cast<int>(standin::PoolFailure::None)};

Bool PoolFails(standin::PoolFailure stage) {
  return g_poolFailure.load(std::memory_order_relaxed) == static_cast<int>(stage);
}

}  // namespace

namespace standin {

void SetThreadPoolFailure(PoolFailure failure) {
  g_poolFailure.store(static_cast<int>(failure), std::memory_order_relaxed);
}

}  // namespace standin

C4DThread::~C4DThread() {
  End(TRUE);
  // Only a thread that deletes its own object gets here still joinable.
  std::lock_guard<std::mutex> guard(_joinLock);
  if (_thread.joinable()) _thread.detach();
}

Bool C4DThread::Start(THREADMODE, THREADPRIORITY) {
  std::lock_guard<std::mutex> guard(_joinLock);
  if (_running.load(std::memory_order_acquire)) return FALSE;
  if (_thread.joinable()) _thread.join();
  _break.store(false, std::memory_order_release);
  _running.store(true, std::memory_order_release);
  try {
    _thread = std::thread([this] { Run(); });
  } catch (const std::system_error&) {
    _running.store(false, std::memory_order_release);
    return FALSE;
  }
  return TRUE;
}

void C4DThread::Run() {
  tls_currentThread = this;
  Main();
  tls_currentThread = nullptr;
  _running.store(false, std::memory_order_release);
}

void C4DThread::End(Bool wait) {
  _break.store(true, std::memory_order_release);
  if (wait) Join();
}

void C4DThread::Join() {
  if (tls_currentThread == this) return;
  std::lock_guard<std::mutex> guard(_joinLock);
  if (_thread.joinable()) _thread.join();
}

Bool C4DThread::TestBreak() {
  if (_break.load(std::memory_order_acquire)) return TRUE;
  if (_parent && _parent->TestBreak()) return TRUE;
  return TestDBreak();
}

MPThreadPool::~MPThreadPool() = default;

Bool MPThreadPool::Init(C4DThread& parent, LONG count, C4DThread** table) {
  _table = nullptr;
  _count = 0;
  if (count < 1 || !table || PoolFails(standin::PoolFailure::Init)) return FALSE;
  for (LONG i = 0; i < count; ++i)
    if (!table[i]) return FALSE;
  for (LONG i = 0; i < count; ++i) table[i]->_parent = &parent;
  _table = table;
  _count = count;
  return TRUE;
}

Bool MPThreadPool::Start(THREADPRIORITY priority) {
  if (!_table || PoolFails(standin::PoolFailure::Start)) return FALSE;
  for (LONG i = 0; i < _count; ++i) {
    if (_table[i]->Start(THREADMODE_ASYNC, priority)) continue;
    for (LONG j = 0; j < i; ++j) _table[j]->End(FALSE);
    for (LONG j = 0; j < i; ++j) _table[j]->Join();
    return FALSE;
  }
  return TRUE;
}

void MPThreadPool::Wait() {
  for (LONG i = 0; i < _count; ++i) _table[i]->Join();
}
