// Building documents is single-threaded work, but a relaxed atomic keeps the count exact anyway.
#include "document/ListSteps.h"

#include <atomic>

#include "c4d_standin.h"

namespace {

std::atomic<LLONG> listSteps{0};

}  // namespace

void CountListSteps(LLONG steps) { listSteps.fetch_add(steps, std::memory_order_relaxed); }

LLONG standin::GetListStepCount() { return listSteps.load(std::memory_order_relaxed); }
