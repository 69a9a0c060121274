// The list template, its iterator and the locked work container.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "CStack.h"
#include "c4d_standin.h"
#include "iterDblList.h"
#include "listDblList.h"

namespace {

// Collects the debug lines (failed assertions) written while it lives.
class DebugLines {
 public:
  DebugLines() {
    _previous = standin::SetDebugSink([this](const std::string& line) { lines.push_back(line); });
  }
  ~DebugLines() { standin::SetDebugSink(_previous); }
  bool Reported(const std::string& expression) const {
    for (const std::string& line : lines)
      if (line.size() >= expression.size() &&
          line.compare(line.size() - expression.size(), expression.size(), expression) == 0)
        return true;
    return false;
  }
  std::vector<std::string> lines;

 private:
  standin::LineSink _previous;
};

std::vector<int> Contents(List<int>& list) {
  std::vector<int> values;
  for (Iter<int> it = list.begin(); it != list.end(); ++it) values.push_back(*it);
  return values;
}

// Counts live instances, to see that the list frees its nodes.
struct Counted {
  static inline int live = 0;
  Counted() { ++live; }
  Counted(const Counted&) { ++live; }
  Counted& operator=(const Counted&) = default;
  ~Counted() { --live; }
};

TEST(List, InsertGoesInFrontOfThePosition) {
  List<int> list;
  list.push_back(1);
  list.push_back(3);
  Iter<int> three = list.begin();
  ++three;
  Iter<int> two = list.insert(three, 2);
  EXPECT_EQ(*two, 2);
  list.insert(list.begin(), 0);
  EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(list.size(), 4);
  Iter<int> it = list.begin();
  Iter<int> old = it++;
  EXPECT_EQ(*old, 0);
  EXPECT_EQ(*it, 1);
}

TEST(List, EraseOfTheWholeRangeLinksTheSentinelToItself) {
  List<int> list;
  for (int i = 0; i < 5; ++i) list.push_back(i);
  list.erase(list.begin(), list.end());
  EXPECT_EQ(list.size(), 0);
  EXPECT_EQ(list.head->next, list.head);
  EXPECT_EQ(list.head->prev, list.head);
  EXPECT_TRUE(list.begin() == list.end());
}

TEST(List, EraseAndPopFrontKeepTheLinksConsistent) {
  List<int> list;
  for (int i = 0; i < 5; ++i) list.push_back(i);
  Iter<int> middle = list.begin();
  ++middle;
  ++middle;
  list.erase(middle);
  list.pop_front();
  EXPECT_EQ(Contents(list), (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(list.head->prev->value, 4);
  EXPECT_EQ(list.head->next->prev, list.head);
}

TEST(List, DestructionFreesEveryNode) {
  {
    List<Counted> list;
    for (int i = 0; i < 10; ++i) list.push_back(Counted());
    EXPECT_EQ(Counted::live, 11) << "ten elements and the sentinel's value";
  }
  EXPECT_EQ(Counted::live, 0);
}

TEST(List, MisuseIsReportedAndChangesNothing) {
  DebugLines debug;
  List<int> list, other;
  list.push_back(1);
  other.push_back(2);

  list.erase(list.end());
  EXPECT_TRUE(debug.Reported("pos != end()"));
  list.erase(other.begin());
  EXPECT_TRUE(debug.Reported("pos.the_list == this"));
  EXPECT_TRUE(list.insert(other.begin(), 9) == list.end());
  EXPECT_TRUE(list.insert(Iter<int>(&list, nullptr), 9) == list.end());
  EXPECT_TRUE(debug.Reported("pos.cur != __null"));
  Iter<int> end = list.end();
  ++end;
  EXPECT_TRUE(end == list.end()) << "an iterator at the end stays there";
  EXPECT_TRUE(debug.Reported("!(!the_list || *this == the_list->end())"));

  EXPECT_EQ(Contents(list), std::vector<int>{1});
  EXPECT_EQ(Contents(other), std::vector<int>{2});
}

TEST(CStack, PopsInPushOrder) {
  CStack<int> stack;
  for (int value : {10, 20, 30}) EXPECT_TRUE(stack.Push(value));
  EXPECT_EQ(stack.GetSize(), 3);
  std::vector<int> popped;
  int value = 0;
  while (stack.Pop(&value)) popped.push_back(value);
  EXPECT_EQ(popped, (std::vector<int>{10, 20, 30}));
  EXPECT_EQ(stack.GetSize(), 0);
}

TEST(CStack, PopOnEmptyLeavesTheDestinationAlone) {
  CStack<CNodeWrapper> stack;
  CKeyList* marker = reinterpret_cast<CKeyList*>(&stack);
  CNodeWrapper item(marker);
  EXPECT_FALSE(stack.Pop(&item));
  EXPECT_EQ(item._kl, marker);
  EXPECT_EQ(CNodeWrapper()._kl, nullptr);
}

TEST(CStack, DestroyingAFullStackFreesItemsNotWhatTheyPointTo) {
  std::vector<int> keyLists(3, 5);  // stand-ins for key lists owned elsewhere
  {
    CStack<CNodeWrapper> stack;
    for (int& k : keyLists) stack.Push(CNodeWrapper(reinterpret_cast<CKeyList*>(&k)));
  }
  EXPECT_EQ(keyLists, std::vector<int>(3, 5));  // ASan reports node leaks or wrong frees
}

TEST(CStack, EveryItemIsPoppedExactlyOnceUnderContention) {
  constexpr int kItems = 20000, kWorkers = 4;
  CStack<int> stack;
  for (int i = 0; i < kItems; ++i) stack.Push(i);
  std::vector<std::atomic<int>> seen(kItems);
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    int last = kItems;
    while (!done.load()) {
      const int size = stack.GetSize();
      EXPECT_LE(size, last) << "the count only falls while workers pop";
      last = size;
    }
  });
  std::vector<std::thread> workers;
  for (int w = 0; w < kWorkers; ++w)
    workers.emplace_back([&] {
      int item = -1;
      while (stack.Pop(&item)) seen[item].fetch_add(1);
    });
  for (std::thread& worker : workers) worker.join();
  done.store(true);
  watcher.join();
  for (int i = 0; i < kItems; ++i) ASSERT_EQ(seen[i].load(), 1) << "item " << i;
}

TEST(CStack, EachProducersItemsLeaveInTheirOrder) {
  constexpr int kEach = 5000;
  CStack<int> stack;
  std::thread producerA([&] {
    for (int i = 0; i < kEach; ++i) stack.Push(i);
  });
  std::thread producerB([&] {
    for (int i = 0; i < kEach; ++i) stack.Push(kEach + i);
  });
  std::vector<int> popped;
  int item = 0;
  while (popped.size() < 2u * kEach)
    if (stack.Pop(&item)) popped.push_back(item);
  producerA.join();
  producerB.join();
  int nextA = 0, nextB = kEach;
  for (int value : popped) EXPECT_EQ(value, value < kEach ? nextA++ : nextB++);
}

}  // namespace
