// The readers when memory runs out at any allocation: an "out of memory" error, nothing leaked, no
// abort. Every allocation of this program goes through the counting operator new below.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <new>
#include <sstream>
#include <string>

#include "BvhReader.h"
#include "SceneReader.h"
#include "c4d_standin.h"

namespace {

long gAllocationCount = 0;
// Allocations from this count on fail (-1: none), as when memory has run out for good: nothing
// is freed that a later allocation could use.
long gFirstFailure = -1;

void* Allocate(std::size_t size) {
  if (gFirstFailure >= 0 && gAllocationCount >= gFirstFailure) throw std::bad_alloc();
  ++gAllocationCount;
  void* memory = std::malloc(size ? size : 1);
  if (!memory) throw std::bad_alloc();
  return memory;
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept {
  return operator new(size, nothrow);
}
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

namespace {

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

const char kSmallBvh[] =
    "HIERARCHY\nROOT Hips\n{\n OFFSET 0 90 0\n CHANNELS 3 Xposition Yposition Zrotation\n"
    " JOINT Leg\n {\n  OFFSET 5 -5 0\n  CHANNELS 1 Xrotation\n"
    "  End Site\n  {\n   OFFSET 0 -40 0\n  }\n }\n}\n"
    "MOTION\nFrames: 3\nFrame Time: 0.0333333\n1 2 3 90\n1.5 2 3 0\n2 2 3 -90\n";

// The read with only the first allowed allocations succeeding (-1: all).
SceneReadResult ReadWithAllocations(const std::function<SceneReadResult()>& read, long allowed) {
  gAllocationCount = 0;
  gFirstFailure = allowed;
  SceneReadResult result = read();
  gFirstFailure = -1;
  return result;
}

TEST(ReaderMemory, RunningOutAnywhereIsAnErrorAndLeavesNothing) {
  const std::string scene = FileText(std::string(THINFOLD_ROOT) + "/examples/demo.json");
  const std::string motion = kSmallBvh;
  ASSERT_FALSE(scene.empty());
  const struct Row {
    const char* name;
    std::function<SceneReadResult()> read;
  } rows[] = {
      {"scene", [&scene] { return ReadSceneText(scene); }},
      {"motion", [&motion] { return ReadBvhText(motion); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    // The second read counts: the first one also sets up what the host keeps for good.
    ReadWithAllocations(row.read, -1);
    ASSERT_NE(ReadWithAllocations(row.read, -1).document, nullptr);
    const long needed = gAllocationCount;
    const LLONG atomsBefore = standin::GetLiveAtomCount();
    for (long allowed = 0; allowed < needed && !HasFailure(); ++allowed) {
      const SceneReadResult read = ReadWithAllocations(row.read, allowed);
      EXPECT_EQ(read.document, nullptr) << allowed;
      EXPECT_EQ(read.error, "out of memory") << allowed;
    }
    EXPECT_EQ(standin::GetLiveAtomCount(), atomsBefore);
  }
}

}  // namespace
