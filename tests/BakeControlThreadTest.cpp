// The control thread of a run, its workers and the progress callback, on real tracks.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "CBakeControlThread.h"
#include "CCurveList.h"
#include "CKeyList.h"
#include "CTrackSettingsLock.h"
#include "ModelDocument.h"
#include "c4d_standin.h"

namespace {

// Generous: only a hang reaches it (TSan builds are slow).
constexpr LONG kRunTimeoutMs = 120000;
constexpr LONG kFps = 30;

struct Message {
  VULONG kind;
  VULONG value;
  bool operator==(const Message& other) const = default;
};

// The plug-in's core messages, as the dialog would receive them.
class RunRecorder : public CoreMessageReceiver {
 public:
  RunRecorder() {
    standin::ProcessEvents();
    standin::RegisterCoreMessageReceiver(this);
  }
  ~RunRecorder() override { standin::UnregisterCoreMessageReceiver(this); }
  Bool CoreMessage(LONG id, const BaseContainer& msg) override {
    if (id != ID_THINFOLD) return TRUE;
    messages.push_back(
        {GetCoreMessageParam(msg, BFM_CORE_PAR1), GetCoreMessageParam(msg, BFM_CORE_PAR2)});
    if (messages.back().kind == MSG_RUN_OVER) ++ends;
    return TRUE;
  }
  std::vector<VULONG> Values(VULONG kind) const {
    std::vector<VULONG> values;
    for (const Message& m : messages)
      if (m.kind == kind) values.push_back(m.value);
    return values;
  }
  std::vector<Message> messages;
  int ends = 0;
};

// A thread object that is never started: it only answers TestBreak for a cookie.
class IdleThread : public C4DThread {
 public:
  void Main() override {}
  const CHAR* GetThreadName() override { return "IdleThread"; }
};

// A smooth curve per track index, with linear keys on every frame: it reduces well. Every fourth
// has a one-frame spike that the stages alone leave the tolerance around, so runs mend it too.
void AddSmoothKeys(CTrack* track, int index, int keyCount) {
  std::vector<double> values;
  for (int k = 0; k < keyCount; ++k) {
    const double spike = index % 4 == 1 && k == keyCount / 2 ? 4.0 : 0.0;
    values.push_back(std::sin(k * 0.05 * (1 + index % 5)) * (1 + index % 3) + 0.01 * index + spike);
  }
  AddValueKeys(track, kFps, values);
}

// Every fifth track is a data track whose keys repeat in runs.
ModelDoc MakeScene(int trackCount, int keyCount) {
  ModelDoc doc = MakeDocument(kFps);
  BaseObject* owner = nullptr;
  for (int i = 0; i < trackCount; ++i) {
    if (i % 3 == 0) owner = AddObject(doc.get(), ("Object" + std::to_string(i / 3)).c_str());
    const std::string name = "Track" + std::to_string(i);
    if (i % 5 == 4) {
      CTrack* track = AddTrack(owner, name.c_str(), CTRACK_CATEGORY_DATA, 1000 + i % 3);
      std::vector<GeData> data;
      for (int k = 0; k < keyCount; ++k) data.push_back(GeData(LONG(k / 4)));
      AddDataKeys(track, kFps, data);
    } else {
      AddSmoothKeys(AddTrack(owner, name.c_str(), CTRACK_CATEGORY_VALUE, 1000 + i % 3), i,
                    keyCount);
    }
  }
  return doc;
}

// Restores the machine's processor count and a working pool after each test.
class BakeControlThread : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { InitModelResources(); }
  void TearDown() override {
    standin::SetCPUCount(0);
    standin::SetThreadPoolFailure(standin::PoolFailure::None);
  }

  // Gathers doc's tracks anew into the curve list.
  void Gather(BaseDocument* doc) { ASSERT_TRUE(_curveList.SaveTracks(doc, 0)); }

  // Runs to the end message, then deletes the thread on that message as the dialog does.
  void RunToEnd(RunRecorder& recorder) {
    auto* thread = new CBakeControlThread(&_curveListPointer);
    ASSERT_TRUE(thread->Start());
    ASSERT_TRUE(standin::PumpUntil([&] { return recorder.ends > 0; }, kRunTimeoutMs));
    _lastInitialSize = thread->GetInitialStackSize();
    delete thread;
  }

  std::vector<std::vector<KeyState>> WorkingKeys() {
    std::vector<std::vector<KeyState>> keys;
    for (VLONG i = 0; i < _curveList.GetCount(); ++i)
      keys.push_back(ReadKeys(_curveList[i]->GetTrack()));
    return keys;
  }

  void SetAllActive(Bool active) {
    for (VLONG i = 0; i < _curveList.GetCount(); ++i)
      _curveList.GetTreeListNode(_curveList[i]->GetTrack())->_subdata.active = active;
  }

  CCurveList _curveList;
  CCurveList* _curveListPointer = &_curveList;
  int _lastInitialSize = -1;
};

TEST(CbFunc, StoresAndPostsOnlyOnAChangeOfWholePercentOrText) {
  RunRecorder recorder;
  CKeyList keyList;
  IdleThread worker;
  cb_cookie cookie;
  cookie.mp_thread = &worker;
  EXPECT_EQ(cookie.last_percent, -1);
  EXPECT_EQ(cookie.last_text, String("?"));
  struct Row {
    const char* name;
    double percent;
    const char* text;
    LONG storedPercent;
    size_t postsSoFar;
  } rows[] = {
      {"first report stores both", 37.9, "Fitting", 37, 1},
      {"same whole percent, same text", 37.2, "Fitting", 37, 1},
      {"next whole percent", 38.0, "Fitting", 38, 2},
      {"new text only", 38.5, "Thinning", 38, 3},
      {"same again", 38.99, "Thinning", 38, 3},
      {"NaN stays in range", std::nan(""), "Thinning", 0, 4},
      {"above 100 stays in range", 250.0, "Thinning", 100, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(cb_func(&keyList, row.percent, String(row.text), &cookie), 1);
    standin::ProcessEvents();
    EXPECT_EQ(keyList.GetPercentField(), row.storedPercent);
    EXPECT_EQ(keyList.GetTextField(), String(row.text));
    EXPECT_EQ(recorder.messages.size(), row.postsSoFar);
  }
  for (const Message& m : recorder.messages) EXPECT_EQ(m, (Message{MSG_TREE, TREE_REDRAW_LINES}));
}

TEST(CbFunc, NullCookieGoesOnAndABreakStops) {
  RunRecorder recorder;
  CKeyList keyList;
  EXPECT_EQ(cb_func(&keyList, 50.0, String("x"), nullptr), 1);
  EXPECT_EQ(keyList.GetPercentField(), 0);
  IdleThread worker;
  cb_cookie cookie;
  cookie.mp_thread = &worker;
  worker.End(FALSE);
  EXPECT_EQ(cb_func(&keyList, 50.0, String("x"), &cookie), 0);
  EXPECT_EQ(keyList.GetPercentField(), 50) << "the report is stored before the stop";
  standin::ProcessEvents();
  EXPECT_EQ(recorder.messages.size(), 1u);
}

TEST_F(BakeControlThread, AllInactiveEndsAtOnceWithoutProgress) {
  ModelDoc doc = MakeScene(6, 20);
  Gather(doc.get());
  SetAllActive(FALSE);
  RunRecorder recorder;
  RunToEnd(recorder);
  EXPECT_EQ(recorder.messages, (std::vector<Message>{{MSG_RUN_OVER, RUN_DONE}}));
  EXPECT_EQ(_lastInitialSize, 0);
  for (VLONG i = 0; i < _curveList.GetCount(); ++i)
    EXPECT_EQ(_curveList[i]->GetThreadResult(), THREADRESULT_NONE);
}

// The longest tracks go first, so that none starts late and runs on alone; equal lengths and the
// inactive track keep to the list.
TEST_F(BakeControlThread, StacksTheActiveTracksWithTheMostKeysFirst) {
  const int keyCounts[] = {20, 60, 40, 60, 90, 10};
  ModelDoc doc = MakeDocument(kFps);
  BaseObject* owner = AddObject(doc.get(), "Object");
  for (int i = 0; i < 6; ++i)
    AddSmoothKeys(
        AddTrack(owner, ("Track" + std::to_string(i)).c_str(), CTRACK_CATEGORY_VALUE, 1000 + i), i,
        keyCounts[i]);
  Gather(doc.get());
  _curveList.GetTreeListNode(_curveList[4]->GetTrack())->_subdata.active = FALSE;
  CBakeControlThread thread(&_curveListPointer);
  CStack<CNodeWrapper> stack;
  ASSERT_EQ(thread.FillStack(stack), 5);
  std::vector<CKeyList*> order;
  for (CNodeWrapper item; stack.Pop(&item);) order.push_back(item._kl);
  EXPECT_EQ(order, (std::vector<CKeyList*>{_curveList[1], _curveList[3], _curveList[2],
                                           _curveList[0], _curveList[5]}));
}

TEST_F(BakeControlThread, OneActiveTrackOnFourWorkers) {
  standin::SetCPUCount(4);
  ModelDoc doc = MakeScene(5, 60);
  Gather(doc.get());
  SetAllActive(FALSE);
  CKeyList* active = _curveList[1];
  _curveList.GetTreeListNode(active->GetTrack())->_subdata.active = TRUE;
  RunRecorder recorder;
  RunToEnd(recorder);

  EXPECT_EQ(_lastInitialSize, 1);
  ASSERT_GE(recorder.messages.size(), 2u);
  EXPECT_EQ(recorder.messages.back(), (Message{MSG_RUN_OVER, RUN_DONE}));
  EXPECT_EQ(recorder.messages[recorder.messages.size() - 2], (Message{MSG_PROGRESS, 0}))
      << "the last progress carries 0 and comes right before the end";
  for (VULONG count : recorder.Values(MSG_PROGRESS)) EXPECT_LE(count, 1u + 4u);
  EXPECT_FALSE(recorder.Values(MSG_TREE).empty());
  EXPECT_EQ(recorder.ends, 1);
  for (VLONG i = 0; i < _curveList.GetCount(); ++i)
    EXPECT_EQ(_curveList[i]->GetThreadResult(),
              _curveList[i] == active ? THREADRESULT_OK : THREADRESULT_NONE);
}

TEST_F(BakeControlThread, PoolFailureEndsWithoutProcessingAnything) {
  struct Row {
    const char* name;
    standin::PoolFailure failure;
  } rows[] = {{"Init fails", standin::PoolFailure::Init},
              {"Start fails", standin::PoolFailure::Start}};
  ModelDoc doc = MakeScene(4, 30);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Gather(doc.get());
    const std::vector<std::vector<KeyState>> before = WorkingKeys();
    standin::SetThreadPoolFailure(row.failure);
    RunRecorder recorder;
    RunToEnd(recorder);
    EXPECT_EQ(recorder.messages, (std::vector<Message>{{MSG_RUN_OVER, RUN_DONE}}));
    EXPECT_EQ(_lastInitialSize, 4);
    EXPECT_EQ(WorkingKeys(), before);
    for (VLONG i = 0; i < _curveList.GetCount(); ++i) {
      EXPECT_EQ(_curveList[i]->GetThreadResult(), THREADRESULT_NONE);
      EXPECT_EQ(_curveList[i]->GetStatusField(), KEYSTATUS_NONE);
    }
  }
}

TEST_F(BakeControlThread, EveryWorkerCountGivesTheKeysOfOneThread) {
  ModelDoc doc = MakeScene(16, 90);
  standin::SetCPUCount(1);
  Gather(doc.get());
  {
    RunRecorder recorder;
    RunToEnd(recorder);
  }
  const std::vector<std::vector<KeyState>> reference = WorkingKeys();
  for (LONG cpuCount : {2, 4, 8, 64, 200}) {
    SCOPED_TRACE(cpuCount);
    standin::SetCPUCount(cpuCount);
    Gather(doc.get());
    RunRecorder recorder;
    RunToEnd(recorder);
    EXPECT_EQ(WorkingKeys(), reference);
    for (VULONG count : recorder.Values(MSG_PROGRESS)) EXPECT_LE(count, 16u + 64u);
    for (VLONG i = 0; i < _curveList.GetCount(); ++i)
      EXPECT_EQ(_curveList[i]->GetThreadResult(), THREADRESULT_OK);
  }
}

// What the main thread does while a run goes on: the tree draws the key lists' results, and the
// check box and the sub-dialogs write settings (the same values here, so results stay the same).
void EditAndDrawOnce(CCurveList& curveList) {
  for (VLONG i = 0; i < curveList.GetCount(); ++i) {
    CTrack* track = curveList[i]->GetTrack();
    TreeListNode* node = curveList.GetTreeListNode(track);
    const CTrackSubData settings = GetCTrackSubData(track);
    WriteCTrackSetting(track, TRACKSUBDATA_PRECISION, GeData(settings.precision));
    SetCTrackSubData(track, settings);
    {
      CTrackSettingsGuard guard;
      node->_subdata.active = TRUE;
    }
    const LONG percent = node->GetPercent(), status = node->GetStatus();
    EXPECT_TRUE(percent >= 0 && percent <= 100) << percent;
    EXPECT_TRUE(status >= KEYSTATUS_NONE && status <= KEYSTATUS_BUSY) << status;
    node->GetText();
  }
}

TEST_F(BakeControlThread, MainThreadEditsAndDrawsDuringARun) {
  standin::SetCPUCount(2);
  ModelDoc doc = MakeScene(30, 120);
  Gather(doc.get());
  {
    RunRecorder recorder;
    RunToEnd(recorder);
  }
  const std::vector<std::vector<KeyState>> reference = WorkingKeys();
  Gather(doc.get());
  RunRecorder recorder;
  auto thread = std::make_unique<CBakeControlThread>(&_curveListPointer);
  ASSERT_TRUE(thread->Start());
  ASSERT_TRUE(standin::PumpUntil(
      [&] {
        EditAndDrawOnce(_curveList);
        return recorder.ends > 0;
      },
      kRunTimeoutMs));
  thread.reset();
  EXPECT_EQ(WorkingKeys(), reference);
  for (VLONG i = 0; i < _curveList.GetCount(); ++i)
    EXPECT_EQ(_curveList[i]->GetThreadResult(), THREADRESULT_OK);
}

// Whether each key list was left untouched, reduced, or failed by a stopped run.
struct RunCensus {
  int untouched = 0, done = 0, failed = 0;
};

RunCensus TakeCensus(CCurveList& curveList, const std::vector<std::vector<KeyState>>& original,
                     const std::vector<std::vector<KeyState>>& reduced, ThreadResult earlier) {
  RunCensus census;
  for (VLONG i = 0; i < curveList.GetCount(); ++i) {
    CKeyList* keyList = curveList[i];
    const LONG status = keyList->GetStatusField();
    const ThreadResult result = keyList->GetThreadResult();
    const std::vector<KeyState> keys = ReadKeys(keyList->GetTrack());
    SCOPED_TRACE(i);
    if (status == KEYSTATUS_NONE) {
      EXPECT_EQ(result, earlier);
      EXPECT_EQ(keys, original[i]);
      ++census.untouched;
    } else if (result == THREADRESULT_OK) {
      EXPECT_TRUE(status == KEYSTATUS_REDUCED || status == KEYSTATUS_UNCHANGED);
      EXPECT_EQ(keys, reduced[i]);
      ++census.done;
    } else {
      EXPECT_EQ(result, THREADRESULT_FAILED);
      EXPECT_EQ(status, KEYSTATUS_FAILED);
      ++census.failed;
    }
  }
  return census;
}

TEST_F(BakeControlThread, StopWhileBusyFailsTheBusyAndKeepsTheQueued) {
  standin::SetCPUCount(2);
  ModelDoc doc = MakeScene(24, 3600);  // long enough that the stop lands mid-run on a busy machine
  Gather(doc.get());
  const std::vector<std::vector<KeyState>> original = WorkingKeys();
  {
    RunRecorder recorder;
    RunToEnd(recorder);
  }
  const std::vector<std::vector<KeyState>> reduced = WorkingKeys();
  Gather(doc.get());
  for (VLONG i = 0; i < _curveList.GetCount(); ++i)
    _curveList[i]->SetThreadResult(THREADRESULT_OK);  // as left by an earlier run

  RunRecorder recorder;
  auto thread = std::make_unique<CBakeControlThread>(&_curveListPointer);
  ASSERT_TRUE(thread->Start());
  ASSERT_TRUE(
      standin::PumpUntil([&] { return !recorder.Values(MSG_TREE).empty(); }, kRunTimeoutMs));
  thread->End(TRUE);  // the stop button
  ASSERT_TRUE(standin::PumpUntil([&] { return recorder.ends > 0; }, kRunTimeoutMs));
  thread.reset();
  standin::ProcessEvents();

  EXPECT_EQ(recorder.ends, 1);
  EXPECT_EQ(recorder.messages.back(), (Message{MSG_RUN_OVER, RUN_STOPPED}));
  const RunCensus census = TakeCensus(_curveList, original, reduced, THREADRESULT_OK);
  EXPECT_GE(census.failed, 1) << "a busy stage ends with failure";
  EXPECT_LE(census.failed, 2);
  EXPECT_GE(census.untouched, 1) << "queued items keep their earlier result";
}

TEST_F(BakeControlThread, StopsAtRandomMomentsNeverHangOrCorrupt) {
  constexpr int kTracks = 200, kRuns = 50;
  standin::SetCPUCount(8);
  ModelDoc doc = MakeScene(kTracks, 24);
  Gather(doc.get());
  const std::vector<std::vector<KeyState>> original = WorkingKeys();
  size_t fullRunRedraws = 0;
  {
    RunRecorder recorder;
    RunToEnd(recorder);
    fullRunRedraws = recorder.Values(MSG_TREE).size();
  }
  const std::vector<std::vector<KeyState>> reduced = WorkingKeys();
  // The moment of the stop is counted in redraws, so it falls anywhere in a run on any machine.
  std::mt19937 random(20240611);
  std::uniform_int_distribution<size_t> stopAfterRedraws(0, fullRunRedraws);
  for (int run = 0; run < kRuns; ++run) {
    SCOPED_TRACE(run);
    Gather(doc.get());
    RunRecorder recorder;
    auto* thread = new CBakeControlThread(&_curveListPointer);
    ASSERT_TRUE(thread->Start());
    const size_t redraws = stopAfterRedraws(random);
    standin::PumpUntil([&] { return recorder.Values(MSG_TREE).size() >= redraws; }, kRunTimeoutMs);
    thread->End(FALSE);
    ASSERT_TRUE(standin::PumpUntil([&] { return recorder.ends > 0; }, kRunTimeoutMs));
    delete thread;
    EXPECT_EQ(recorder.ends, 1);
    const RunCensus census = TakeCensus(_curveList, original, reduced, THREADRESULT_NONE);
    EXPECT_LE(census.failed, 8) << "only the item a worker was busy with fails";
  }
}

}  // namespace
