// A circular doubly linked list with a sentinel node. The sentinel holds a default T that is
// never handed out; in an empty list it is linked to itself. Not safe for concurrent use.
#ifndef LISTDBLLIST_H
#define LISTDBLLIST_H

#include <cstddef>

#include "c4d.h"
#include "iterDblList.h"

template <class T>
struct ListNode {
  ListNode() : value(), next(nullptr), prev(nullptr) {}
  ListNode(ListNode* nextNode, ListNode* prevNode, const T& nodeValue)
      : value(nodeValue), next(nextNode), prev(prevNode) {}

  T value;
  ListNode* next;
  ListNode* prev;
};

template <class T>
class List {
 public:
  // Without memory for the sentinel the list stays empty and every insert fails.
  List() : head(gNew ListNode<T>()), count(0) {
    if (head) head->next = head->prev = head;
  }
  ~List() {
    erase(begin(), end());
    gDelete(head);
  }
  List(const List&) = delete;
  List& operator=(const List&) = delete;

  LLONG size() const { return count; }
  Iter<T> begin() { return Iter<T>(this, head ? head->next : nullptr); }
  Iter<T> end() { return Iter<T>(this, head); }

  // Inserts a copy of value in front of pos. Gives an iterator at the new node, or end() when
  // pos is not a position of this list or no memory is left.
  Iter<T> insert(Iter<T> pos, const T& value) {
    DebugAssert(pos.the_list == this);
    DebugAssert(pos.cur != NULL);
    if (pos.the_list != this || !pos.cur) return end();
    ListNode<T>* pnew = gNew ListNode<T>(pos.cur, pos.cur->prev, value);
    DebugAssert(pnew != NULL);
    if (!pnew) return end();
    pos.cur->prev->next = pnew;
    pos.cur->prev = pnew;
    ++count;
    return Iter<T>(this, pnew);
  }

  Iter<T> push_back(const T& value) { return insert(end(), value); }

  // Removes and frees the node at pos; a position of another list or the end is refused.
  void erase(Iter<T> pos) {
    DebugAssert(pos.the_list == this);
    DebugAssert(pos != end());
    if (pos.the_list != this || !pos.cur || pos == end()) return;
    ListNode<T>* node = pos.cur;
    node->prev->next = node->next;
    node->next->prev = node->prev;
    gDelete(node);
    --count;
  }

  // Removes every node from first up to, not including, last.
  void erase(Iter<T> first, Iter<T> last) {
    // Stopping at the end keeps a range whose last lies before first from looping.
    while (first != last && first != end()) erase(first++);
  }

  void pop_front() { erase(begin()); }

  ListNode<T>* head;
  LLONG count;
};

#endif
