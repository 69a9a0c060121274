// A position in a List (listDblList.h): the node there and the list it belongs to. The list's
// sentinel node stands for the end.
#ifndef ITERDBLLIST_H
#define ITERDBLLIST_H

#include "c4d.h"

template <class T>
struct ListNode;
template <class T>
class List;

template <class T>
class Iter {
 public:
  Iter() : cur(nullptr), the_list(nullptr) {}
  Iter(List<T>* list, ListNode<T>* node) : cur(node), the_list(list) {}

  // The element at the position. At the end, or without a list, debug builds report it and the
  // sentinel's (or a spare) element is given.
  T& operator*() const {
    DebugAssert(!(!the_list || *this == the_list->end()));
    if (!cur) return Spare();
    return cur->value;
  }

  // Moves to the next node; at the end or without a list it reports and stays where it is.
  Iter& operator++() {
    DebugAssert(!(!the_list || *this == the_list->end()));
    if (the_list && cur && *this != the_list->end()) cur = cur->next;
    return *this;
  }

  Iter operator++(int) {
    Iter old = *this;
    ++*this;
    return old;
  }

  bool operator==(const Iter& other) const { return cur == other.cur; }
  bool operator!=(const Iter& other) const { return cur != other.cur; }

  ListNode<T>* cur;
  List<T>* the_list;

 private:
  static T& Spare() {
    static T spare{};
    return spare;
  }
};

#endif
