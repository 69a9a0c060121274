// The core message queue: posted from any thread, delivered on the main thread by the pump.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "c4d_events.h"
#include "c4d_standin.h"

namespace {

struct Event {
  LONG id;
  VULONG p1;
  VULONG p2;
};

struct EventState {
  std::mutex lock;
  std::condition_variable posted;
  std::deque<Event> queue;
  std::vector<CoreMessageReceiver*> receivers;
};

// Never destroyed, so threads that post late in process exit find it alive.
EventState& State() {
  static EventState* state = new EventState;
  return *state;
}

BaseContainer MakeMessage(const Event& event) {
  BaseContainer msg(event.id);
  msg.SetReal(BFM_CORE_PAR1, static_cast<Real>(event.p1));
  msg.SetReal(BFM_CORE_PAR2, static_cast<Real>(event.p2));
  return msg;
}

Bool IsRegistered(CoreMessageReceiver* receiver) {
  EventState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return std::find(state.receivers.begin(), state.receivers.end(), receiver) !=
         state.receivers.end();
}

std::vector<CoreMessageReceiver*> ReceiversNow() {
  EventState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  return state.receivers;
}

// A receiver may close (unregister) others while it handles the event; those are skipped.
void Deliver(const Event& event) {
  const BaseContainer msg = MakeMessage(event);
  for (CoreMessageReceiver* receiver : ReceiversNow())
    if (IsRegistered(receiver)) receiver->CoreMessage(event.id, msg);
}

std::deque<Event> TakeQueued() {
  EventState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  std::deque<Event> taken;
  taken.swap(state.queue);
  return taken;
}

}  // namespace

Bool SpecialEventAdd(LONG messageid, VULONG p1, VULONG p2) {
  EventState& state = State();
  {
    std::lock_guard<std::mutex> guard(state.lock);
    state.queue.push_back(Event{messageid, p1, p2});
  }
  state.posted.notify_all();
  return TRUE;
}

VULONG GetCoreMessageParam(const BaseContainer& msg, LONG parameterId) {
  const Real value = msg.GetReal(parameterId, 0.0);
  return value > 0.0 ? static_cast<VULONG>(value) : 0;
}

namespace standin {

void RegisterCoreMessageReceiver(CoreMessageReceiver* receiver) {
  if (!receiver || IsRegistered(receiver)) return;
  EventState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  state.receivers.push_back(receiver);
}

void UnregisterCoreMessageReceiver(CoreMessageReceiver* receiver) {
  EventState& state = State();
  std::lock_guard<std::mutex> guard(state.lock);
  std::erase(state.receivers, receiver);
}

LONG ProcessEvents() {
  std::deque<Event> events = TakeQueued();
  for (const Event& event : events) Deliver(event);
  return static_cast<LONG>(events.size());
}

Bool PumpUntil(const std::function<bool()>& done, LONG timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  // Wake at least this often, so a condition that no event announces is seen too.
  const std::chrono::milliseconds slice(10);
  EventState& state = State();
  for (;;) {
    ProcessEvents();
    if (done()) return TRUE;
    if (Clock::now() >= deadline) return FALSE;
    std::unique_lock<std::mutex> guard(state.lock);
    state.posted.wait_until(guard, std::min(deadline, Clock::now() + slice),
                            [&state] { return !state.queue.empty(); });
  }
}

}  // namespace standin
