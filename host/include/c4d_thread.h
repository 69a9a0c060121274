// Threads of the host: a thread object whose Main runs on its own system thread, a pool that
// runs a table of thread objects as children of a parent thread, the processor count, sleeping,
// a signal one thread waits on and others set, and a spin lock.
#ifndef C4D_THREAD_H
#define C4D_THREAD_H

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "c4d_types.h"

// How Start runs Main: the stand-in always runs it on a new thread and returns at once.
enum THREADMODE { THREADMODE_ASYNC = 1 };

// Scheduling hints; the stand-in accepts them and leaves scheduling to the system.
enum THREADPRIORITY {
  THREADPRIORITY_NORMAL = 0,
  THREADPRIORITY_ABOVE = 1000,
  THREADPRIORITY_BELOW = 1001,
  THREADPRIORITY_LOWEST = 1002,
};

class MPThreadPool;

// A thread object. Derive from it, implement Main and GetThreadName, and call Start.
//
// Destroying a thread object waits for its thread to end. The base destructor runs after the
// derived class's members are destroyed, though: a derived class whose Main uses its own members
// must call End(TRUE) in its own destructor, so that the thread has ended before they go.
class C4DThread {
 public:
  C4DThread() = default;
  virtual ~C4DThread();
  C4DThread(const C4DThread&) = delete;
  C4DThread& operator=(const C4DThread&) = delete;

  // Runs Main on a new thread and returns at once; the break flag is cleared first. FALSE when
  // the thread is still running or no thread can be made.
  Bool Start(THREADMODE mode = THREADMODE_ASYNC, THREADPRIORITY priority = THREADPRIORITY_NORMAL);
  // Sets the break flag; with wait, returns once the thread has ended. Calling it from the
  // thread itself never waits.
  void End(Bool wait = TRUE);
  // TRUE from Start until Main has returned.
  Bool IsRunning() const { return _running.load(std::memory_order_acquire); }
  // TRUE when a break was asked of this thread or, for a pool child, of its parent.
  Bool TestBreak();

  // An extra break condition of derived classes; the base never breaks.
  virtual Bool TestDBreak() { return FALSE; }
  virtual void Main() = 0;
  virtual const CHAR* GetThreadName() = 0;

 private:
  friend class MPThreadPool;
  void Run();
  // Waits for the system thread without setting the break flag.
  void Join();

  std::thread _thread;
  std::mutex _joinLock;
  std::atomic<bool> _running{false};
  std::atomic<bool> _break{false};
  C4DThread* _parent = nullptr;
};

// Runs a table of thread objects, each on its own thread, as children of a parent thread: a
// child's TestBreak is also TRUE when the parent's is.
class MPThreadPool {
 public:
  MPThreadPool() = default;
  ~MPThreadPool();
  MPThreadPool(const MPThreadPool&) = delete;
  MPThreadPool& operator=(const MPThreadPool&) = delete;

  // Takes count entries of table (the pool does not own them). FALSE for a count below 1, a
  // null table or a null entry.
  Bool Init(C4DThread& parent, LONG count, C4DThread** table);
  // Starts every entry. FALSE when Init has not succeeded or an entry cannot start; the entries
  // already started are then ended and waited for, so nothing runs after a failed Start.
  Bool Start(THREADPRIORITY priority = THREADPRIORITY_NORMAL);
  // Returns when every entry's Main has returned.
  void Wait();

 private:
  void JoinAll();

  C4DThread** _table = nullptr;
  LONG _count = 0;
};

// The number of processors: the machine's, unless the stand-in or THINFOLD_CPU_COUNT sets
// another (at least 1).
LONG GeGetCPUCount();

// Sleeps for ms milliseconds (nothing for ms <= 0).
void GeSleep(LONG ms);

// An event one thread waits for and any thread sets. A set signal stays set until a Wait takes
// it, so a Set that comes before the Wait is not lost; several Sets before one Wait count once.
class GeSignal {
 public:
  GeSignal() = default;
  GeSignal(const GeSignal&) = delete;
  GeSignal& operator=(const GeSignal&) = delete;

  void Set();
  // Waits until the signal is set or timeoutMs milliseconds have passed (no wait for
  // timeoutMs <= 0). TRUE when it was set; the signal is then clear again.
  Bool Wait(LONG timeoutMs);

 private:
  std::mutex _lock;
  std::condition_variable _changed;
  bool _set = false;
};

// A lock for very short critical sections; waiting threads spin and yield. A zero-initialised
// lock is unlocked. Not recursive.
class GeSpinlock {
 public:
  void Lock() {
    while (_locked.exchange(true, std::memory_order_acquire)) {
      while (_locked.load(std::memory_order_relaxed)) std::this_thread::yield();
    }
  }
  void Unlock() { _locked.store(false, std::memory_order_release); }

 private:
  std::atomic<bool> _locked{false};
};

#endif
