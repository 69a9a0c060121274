// Host threads, the thread pool, the spin lock and the main thread's core message queue.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "c4d.h"
#include "c4d_standin.h"

namespace {

constexpr LONG kPumpTimeoutMs = 10000;

// Runs until asked to break; counts its passes.
class BreakableThread : public C4DThread {
 public:
  ~BreakableThread() override { End(TRUE); }
  void Main() override {
    started.store(true);
    while (!TestBreak()) {
      passes.fetch_add(1);
      GeSleep(1);
    }
  }
  const CHAR* GetThreadName() override { return "BreakableThread"; }

  std::atomic<bool> started{false};
  std::atomic<int> passes{0};
};

// Returns at once after noting that it ran.
class OneShotThread : public C4DThread {
 public:
  ~OneShotThread() override { End(TRUE); }
  void Main() override { ran.fetch_add(1); }
  const CHAR* GetThreadName() override { return "OneShotThread"; }
  std::atomic<int> ran{0};
};

// Collects every core message delivered to it.
class Recorder : public CoreMessageReceiver {
 public:
  struct Message {
    LONG id;
    VULONG p1;
    VULONG p2;
  };
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    EXPECT_EQ(msg.GetId(), id);
    messages.push_back(
        {id, GetCoreMessageParam(msg, BFM_CORE_PAR1), GetCoreMessageParam(msg, BFM_CORE_PAR2)});
    return TRUE;
  }
  std::vector<Message> messages;
};

// Registers a receiver for the length of a test and drops events left by earlier tests.
class ScopedReceiver {
 public:
  explicit ScopedReceiver(CoreMessageReceiver* receiver) : _receiver(receiver) {
    standin::ProcessEvents();
    standin::RegisterCoreMessageReceiver(_receiver);
  }
  ~ScopedReceiver() { standin::UnregisterCoreMessageReceiver(_receiver); }

 private:
  CoreMessageReceiver* _receiver;
};

TEST(C4DThread, StartRunsMainAsynchronouslyUntilEnd) {
  BreakableThread thread;
  EXPECT_FALSE(thread.IsRunning());
  ASSERT_TRUE(thread.Start());
  EXPECT_TRUE(thread.IsRunning());
  while (thread.passes.load() < 3) GeSleep(1);
  EXPECT_FALSE(thread.Start()) << "a running thread cannot start twice";
  thread.End(TRUE);
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_TRUE(thread.TestBreak());
}

TEST(C4DThread, RestartClearsTheBreakFlag) {
  OneShotThread thread;
  for (int run = 1; run <= 3; ++run) {
    ASSERT_TRUE(thread.Start(THREADMODE_ASYNC, THREADPRIORITY_BELOW));
    thread.End(TRUE);
    EXPECT_EQ(thread.ran.load(), run);
    EXPECT_TRUE(thread.TestBreak());
  }
  ASSERT_TRUE(thread.Start());
  EXPECT_FALSE(thread.TestBreak());
}

TEST(C4DThread, DestroyingARunningThreadEndsAndWaits) {
  auto* thread = new BreakableThread;
  ASSERT_TRUE(thread->Start());
  while (!thread->started.load()) GeSleep(1);
  delete thread;  // must not return before Main has, nor touch freed members
}

// Posts its end as its last act; the main thread deletes it on that message while the thread
// may still be returning from Main. The destructor's wait makes that safe.
class PostsItsEnd : public C4DThread {
 public:
  static constexpr LONG kEndId = 424242;
  ~PostsItsEnd() override { End(TRUE); }
  void Main() override {
    work.assign(1000, 7);
    SpecialEventAdd(kEndId, reinterpret_cast<VULONG>(this), 0);
  }
  const CHAR* GetThreadName() override { return "PostsItsEnd"; }
  std::vector<int> work;
};

class DeletesOnEnd : public CoreMessageReceiver {
 public:
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    if (id != PostsItsEnd::kEndId) return TRUE;
    delete reinterpret_cast<PostsItsEnd*>(GetCoreMessageParam(msg, BFM_CORE_PAR1));
    ++deleted;
    return TRUE;
  }
  int deleted = 0;
};

TEST(C4DThread, DeletingOnTheEndMessageIsSafe) {
  DeletesOnEnd receiver;
  ScopedReceiver scoped(&receiver);
  constexpr int kRuns = 20;
  for (int i = 0; i < kRuns; ++i) ASSERT_TRUE((new PostsItsEnd)->Start());
  EXPECT_TRUE(standin::PumpUntil([&] { return receiver.deleted == kRuns; }, kPumpTimeoutMs));
}

TEST(MPThreadPool, InitRefusesBadTables) {
  BreakableThread parent;
  OneShotThread a, b;
  C4DThread* table[2] = {&a, &b};
  C4DThread* withNull[2] = {&a, nullptr};
  struct Row {
    const char* name;
    LONG count;
    C4DThread** table;
  } rows[] = {
      {"zero count", 0, table},
      {"negative count", -3, table},
      {"null table", 2, nullptr},
      {"null entry", 2, withNull},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    MPThreadPool pool;
    EXPECT_FALSE(pool.Init(parent, row.count, row.table));
    EXPECT_FALSE(pool.Start()) << "a pool without a table starts nothing";
  }
  EXPECT_EQ(a.ran.load() + b.ran.load(), 0);
}

TEST(MPThreadPool, RunsEveryEntryOnce) {
  BreakableThread parent;
  std::vector<OneShotThread> workers(7);
  std::vector<C4DThread*> table;
  for (OneShotThread& worker : workers) table.push_back(&worker);
  MPThreadPool pool;
  ASSERT_TRUE(pool.Init(parent, static_cast<LONG>(table.size()), table.data()));
  ASSERT_TRUE(pool.Start(THREADPRIORITY_BELOW));
  pool.Wait();
  for (OneShotThread& worker : workers) {
    EXPECT_EQ(worker.ran.load(), 1);
    EXPECT_FALSE(worker.IsRunning());
  }
}

TEST(MPThreadPool, ChildrenSeeTheirOwnAndTheirParentsBreak) {
  struct Row {
    const char* name;
    bool breakParent;
  } rows[] = {{"own break", false}, {"parent's break", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BreakableThread parent;
    BreakableThread a, b;
    C4DThread* table[2] = {&a, &b};
    MPThreadPool pool;
    ASSERT_TRUE(pool.Init(parent, 2, table));
    ASSERT_TRUE(pool.Start());
    while (!a.started.load() || !b.started.load()) GeSleep(1);
    EXPECT_FALSE(a.TestBreak());
    if (row.breakParent) {
      parent.End(FALSE);
    } else {
      a.End(FALSE);
      b.End(FALSE);
    }
    pool.Wait();
    EXPECT_TRUE(a.TestBreak());
    EXPECT_TRUE(b.TestBreak());
  }
}

TEST(MPThreadPool, FailuresOnPurposeRunNothing) {
  struct Row {
    const char* name;
    standin::PoolFailure failure;
    bool initOk;
  } rows[] = {
      {"Init fails", standin::PoolFailure::Init, false},
      {"Start fails", standin::PoolFailure::Start, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    BreakableThread parent;
    OneShotThread a;
    C4DThread* table[1] = {&a};
    MPThreadPool pool;
    standin::SetThreadPoolFailure(row.failure);
    EXPECT_EQ(pool.Init(parent, 1, table), row.initOk ? TRUE : FALSE);
    EXPECT_FALSE(pool.Start());
    standin::SetThreadPoolFailure(standin::PoolFailure::None);
    pool.Wait();
    EXPECT_EQ(a.ran.load(), 0);
  }
}

TEST(ThreadSystem, CPUCountCanBeOverridden) {
  const LONG machine = GeGetCPUCount();
  EXPECT_GE(machine, 1);
  standin::SetCPUCount(96);
  EXPECT_EQ(GeGetCPUCount(), 96);
  standin::SetCPUCount(0);
  EXPECT_EQ(GeGetCPUCount(), machine);
}

TEST(GeSpinlock, ZeroInitialisedLockExcludesOtherThreads) {
  static GeSpinlock lock;  // zero-initialised static storage
  long counter = 0;        // guarded by lock only
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) {
        lock.Lock();
        ++counter;
        lock.Unlock();
      }
    });
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(counter, 4 * 20000);
}

TEST(GeSignal, ASetIsKeptUntilOneWaitTakesIt) {
  // Each step: 'S' sets, 'W' waits without blocking, 'T' waits 1 ms; the results of the waits.
  struct Row {
    const char* steps;
    std::vector<Bool> waits;
  } rows[] = {
      {"W", {FALSE}},         {"T", {FALSE}},         {"SW", {TRUE}},
      {"ST", {TRUE}},         {"SWW", {TRUE, FALSE}}, {"SSWW", {TRUE, FALSE}},
      {"SWSW", {TRUE, TRUE}}, {"WSW", {FALSE, TRUE}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.steps);
    GeSignal signal;
    std::vector<Bool> waits;
    for (const char* step = row.steps; *step; ++step) {
      if (*step == 'S') signal.Set();
      if (*step == 'W') waits.push_back(signal.Wait(0));
      if (*step == 'T') waits.push_back(signal.Wait(1));
    }
    EXPECT_EQ(waits, row.waits);
  }
}

TEST(GeSignal, ASetFromAnotherThreadEndsTheWait) {
  GeSignal signal;
  std::atomic<bool> waiting{false};
  std::thread setter([&] {
    while (!waiting.load()) std::this_thread::yield();
    signal.Set();
  });
  waiting.store(true);
  EXPECT_TRUE(signal.Wait(kPumpTimeoutMs));
  setter.join();
}

TEST(CoreMessages, ParameterIdsAreTheFourCharacterIds) {
  EXPECT_EQ(BFM_CORE_PAR1, 0x4D636931);
  EXPECT_EQ(BFM_CORE_PAR2, 0x4D636932);
}

TEST(CoreMessages, DeliveredInPostingOrderWithBothParameters) {
  Recorder recorder;
  ScopedReceiver scoped(&recorder);
  // Beyond 32 bits where a pointer is 64 bits wide.
  const VULONG large =
      static_cast<VULONG>(sizeof(VULONG) > 4 ? (UINT64_C(1) << 40) + 5 : UINT64_C(0xFFFFFFF5));
  SpecialEventAdd(1031250, 1000, 1);
  SpecialEventAdd(1031250, 1002, large);
  SpecialEventAdd(7, 0, 0);
  EXPECT_TRUE(recorder.messages.empty()) << "nothing arrives before the pump runs";
  EXPECT_EQ(standin::ProcessEvents(), 3);
  ASSERT_EQ(recorder.messages.size(), 3u);
  EXPECT_EQ(recorder.messages[0].id, 1031250);
  EXPECT_EQ(recorder.messages[0].p1, 1000u);
  EXPECT_EQ(recorder.messages[0].p2, 1u);
  EXPECT_EQ(recorder.messages[1].p2, large);
  EXPECT_EQ(recorder.messages[2].id, 7);
  EXPECT_EQ(standin::ProcessEvents(), 0);
}

TEST(CoreMessages, EachThreadsEventsKeepTheirOrder) {
  Recorder recorder;
  ScopedReceiver scoped(&recorder);
  constexpr int kThreads = 4, kEach = 500;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t] {
      for (int i = 0; i < kEach; ++i) SpecialEventAdd(99, static_cast<VULONG>(t), i);
    });
  EXPECT_TRUE(standin::PumpUntil(
      [&] { return recorder.messages.size() == size_t(kThreads * kEach); }, kPumpTimeoutMs));
  for (std::thread& thread : threads) thread.join();
  std::vector<VULONG> next(kThreads, 0);
  for (const Recorder::Message& m : recorder.messages) EXPECT_EQ(m.p2, next[m.p1]++);
}

// Closes another receiver while handling a message, as a dialog may close another.
class Closer : public CoreMessageReceiver {
 public:
  Bool CoreMessage(LONG, const BaseContainer&) override {
    standin::UnregisterCoreMessageReceiver(other);
    return TRUE;
  }
  CoreMessageReceiver* other = nullptr;
};

TEST(CoreMessages, OnlyRegisteredReceiversGetMessages) {
  Recorder first, closed;
  Closer closer;
  closer.other = &closed;
  ScopedReceiver scopedFirst(&first);
  standin::RegisterCoreMessageReceiver(&closer);
  standin::RegisterCoreMessageReceiver(&closed);
  SpecialEventAdd(5, 1, 2);
  standin::ProcessEvents();
  standin::UnregisterCoreMessageReceiver(&closer);
  SpecialEventAdd(6, 1, 2);
  standin::ProcessEvents();
  EXPECT_EQ(first.messages.size(), 2u);
  EXPECT_TRUE(closed.messages.empty()) << "closed before the message reached it";
}

TEST(CoreMessages, PumpUntilGivesUpAfterItsTimeout) {
  standin::ProcessEvents();
  EXPECT_FALSE(standin::PumpUntil([] { return false; }, 30));
  EXPECT_TRUE(standin::PumpUntil([] { return true; }, 0));
}

}  // namespace
